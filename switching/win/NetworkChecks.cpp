#include "switching/win/NetworkChecks.h"

#include "framework/win/WideText.h"
#include "switching/win/HttpCheck.h"
#include "switching/win/IcmpEcho.h"
#include "system/win/AdapterDiscovery.h"
#include "system/win/WMIAccess.h"

int CNetworkChecks::Run(const CProfileData& profile) {
    checks::AdapterState adapter;
    const int bits = checks::RunAll(profile, *this, adapter);
    mac_ = W(adapter.mac);
    ip_ = W(adapter.ip);
    mask_ = W(adapter.mask);
    gateway_ = W(adapter.gateway);
    connected_ = adapter.connected;
    return bits;
}

Text CNetworkChecks::FindAdapterGuid(const Text& macText) { return T(::FindAdapterGuid(W(macText))); }

bool CNetworkChecks::ReadCurrentIPv4(const Text& guid, Text& ip, Text& mask, Text& gateway) {
    std::wstring i, m, g;
    const bool read = ::ReadCurrentIPv4(W(guid), i, m, g);
    ip = T(i);
    mask = T(m);
    gateway = T(g);
    return read;
}

bool CNetworkChecks::IsConnected(const Text& macText) { return wmi_ && wmi_->IsConnected(W(macText)); }

int CNetworkChecks::SendEcho(const Text& address) { return SendIcmpEcho(W(address)); }

int CNetworkChecks::HttpGet(const Text& url) { return SendHttpCheck(W(url), httpCancel_); }
