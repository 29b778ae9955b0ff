#pragma once
#include "framework/Text.h"

// The package's choice of who may use the setting pipe (HKLM
// SOFTWARE\Valtrecossin\Ortivo\Service, value Users); empty when there is
// none or it is no string.
Text ReadUsersChoice();
