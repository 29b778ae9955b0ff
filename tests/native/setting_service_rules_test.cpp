#include <gtest/gtest.h>

#include "service/PipeSecurity.h"

namespace {

TEST(SettingPipeSddl, InteractiveUsersUnlessThePackageChoseTheOperators) {
    const Text interactive = u"D:P(A;;FA;;;SY)(A;;FA;;;BA)(A;;0x12018b;;;IU)";
    const Text operators = u"D:P(A;;FA;;;SY)(A;;FA;;;BA)(A;;0x12018b;;;NO)";
    const struct {
        const char16_t* choice;
        const Text& sddl;
    } rows[] = {{u"", interactive},         {u"interactive", interactive}, {u"operators", operators},
                {u"OPERATORS", operators},  {u"operators ", interactive},  {u"everyone", interactive},
                {u"operator", interactive}};
    for (const auto& row : rows) EXPECT_EQ(row.sddl, SettingPipeSddl(row.choice)) << text::ToUtf8(row.choice);
}

}  // namespace
