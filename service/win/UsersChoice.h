#pragma once
#include "service/ClientAdmission.h"

// The users the service serves, by the policy's choice or, without it, the
// package's (HKLM SOFTWARE\Valtrecossin\Ortivo\Service, value Users):
// interactive users only when the value is the string "interactive", the
// operators otherwise.
ServiceUsers ReadServiceUsers();
