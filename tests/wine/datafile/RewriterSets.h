#pragma once
// The two sets of profiles that data_file_rewriter.exe writes in turn
// (0: three profiles, 1: five), and the names a collection holds in order.
#include <string>
#include <vector>

#include "profile/ProfileCollection.h"

CProfileCollection RewriterSet(int which);
std::vector<std::u16string> NamesIn(const CProfileCollection& profiles);
