#include "service/win/ProfileSource.h"

#include <string>

#include "editor/win/CommandRun.h"
#include "editor/win/ProfileFiles.h"
#include "editor/win/ProfileImport.h"
#include "framework/win/ModuleFolder.h"
#include "framework/win/WideText.h"
#include "service/win/RequestLog.h"
#include "system/win/RegistrySetting.h"

void CProfileSource::Look() {
    const RegistrySetting source = ReadMachineSetting(kPolicyKey, kProfilesSourcePolicy);
    std::string content;
    if (!source.text || source.text->empty() || !ReadProfileBytes(W(*source.text), content)) return;
    const Sha256Digest digest = Sha256(reinterpret_cast<const uint8_t*>(content.data()), content.size());
    if (last_ == digest) return;
    last_ = digest;
    const ImportResult result = ImportProfileText(content, false, FolderOfModule(nullptr));
    if (result.exitCode == kExitDone)
        LogSourceImported(*source.text, text::LowerHex(digest.data(), digest.size()), result.count);
    else
        LogSourceRefused(*source.text, T(result.message));
}

void WatchProfileSource(HANDLE stop) {
    CProfileSource source;
    do {
        source.Look();
    } while (WaitForSingleObject(stop, kSourceLookMs) == WAIT_TIMEOUT);
}
