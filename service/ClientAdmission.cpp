#include "service/ClientAdmission.h"

ServiceUsers UsersFromChoice(const std::optional<Text>& choice) {
    return choice && text::UpperAscii(*choice) == u"INTERACTIVE" ? ServiceUsers::Interactive
                                                                  : ServiceUsers::Operators;
}

ServiceUsers UsersFromSettings(const RegistrySetting& policy, const RegistrySetting& package) {
    return UsersFromChoice(policy.Present() ? policy.text : package.text);
}

bool IsClientAdmitted(ServiceUsers users, const ClientMembership& client) {
    if (!client.interactive) return false;
    return users == ServiceUsers::Interactive || client.operators || client.linkedOperators;
}
