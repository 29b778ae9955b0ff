// The rules of the wizard's network check, application and printer pages.
#include <gtest/gtest.h>

#include "resources/resource.h"
#include "wizard/NetworkCheckRules.h"
#include "wizard/PrinterRules.h"
#include "wizard/RunAppRules.h"

namespace {

constexpr uint32_t kGateway = 192u << 24 | 168u << 16 | 1u << 8 | 1u;

TEST(NetworkCheckRules, PingIsOfferedUnlessAFixedAddressHasNoGateway) {
    struct {
        uint8_t ipMode;
        uint32_t gateway;
        bool offered;
    } cases[] = {
        {1, 0, false},        // fixed address, no gateway: nothing to ping
        {1, kGateway, true},  // fixed address with gateway
        {0, 0, true},         // DHCP: the gateway comes from the server
        {2, 0, true},         // only 1 means a fixed address
    };
    for (const auto& c : cases)
        EXPECT_EQ(networkcheck::IsPingOffered(c.ipMode, c.gateway), c.offered)
            << int(c.ipMode) << " " << c.gateway;
}

TEST(OptionPageRules, ATickedOptionNeedsItsValue) {
    EXPECT_EQ(networkcheck::CheckNetworkCheckPage(true, u""), IDS_CHECK_URL_EMPTY);
    EXPECT_EQ(networkcheck::CheckNetworkCheckPage(true, u"   "), 0);  // blanks count as typed
    EXPECT_EQ(networkcheck::CheckNetworkCheckPage(false, u""), 0);
    EXPECT_EQ(runapp::CheckRunAppPage(true, u""), IDS_APP_PATH_EMPTY);
    EXPECT_EQ(runapp::CheckRunAppPage(true, u"C:\\not\\there.exe"), 0);  // not looked up
    EXPECT_EQ(runapp::CheckRunAppPage(false, u""), 0);
    EXPECT_EQ(printerpage::CheckPrinterPage(true, -1), IDS_PRINTER_EMPTY);
    EXPECT_EQ(printerpage::CheckPrinterPage(true, 0), 0);
    EXPECT_EQ(printerpage::CheckPrinterPage(false, -1), 0);
}

TEST(PrinterRules, TheStoredPrinterIsTheLastRowOfExactlyThatName) {
    const std::vector<Text> rows = {u"Floor 3", u"Laser", u"floor 3", u"Laser", u"Laser "};
    EXPECT_EQ(printerpage::StoredPrinterRow(rows, u"Laser"), 3);
    EXPECT_EQ(printerpage::StoredPrinterRow(rows, u"Floor 3"), 0);
    EXPECT_EQ(printerpage::StoredPrinterRow(rows, u"FLOOR 3"), -1);
    EXPECT_EQ(printerpage::StoredPrinterRow(rows, u"Lase"), -1);
    EXPECT_EQ(printerpage::StoredPrinterRow(rows, u""), -1);
    EXPECT_EQ(printerpage::StoredPrinterRow({}, u"Laser"), -1);
}

}  // namespace
