#pragma once
// Answers requests from every pipe instance, applying one at a time.
#include <windows.h>

#include <cstddef>
#include <cstdint>

#include "applier/SettingRequest.h"
#include "framework/win/UniqueHandle.h"

class CRequestApplier {
public:
    // `stop`: the service's stop event, which ends every wait and the pause.
    explicit CRequestApplier(HANDLE stop);
    CRequestApplier(const CRequestApplier&) = delete;
    CRequestApplier& operator=(const CRequestApplier&) = delete;

    HANDLE Stop() const { return stop_; }
    // Refused runs nothing; otherwise the plan runs once no other request
    // is being applied, and the reply says whether it ran to its end.
    SettingReply Answer(const uint8_t* message, std::size_t size);

private:
    HANDLE stop_;
    CKernelHandle turn_;  // mutex: held while a plan runs
};
