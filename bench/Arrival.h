#pragma once
// Arriving is switching, measured in the test network (bench/run.sh
// --testnet): the main program started hidden as at logon, with a fixed
// fall-back profile for a network without a DHCP server. The cable goes
// from site A to site B, whose missing DHCP server the laptop's DHCP client
// gives up on (the helper's plug ends when the interface has the address it
// made up: the change the system shows). Timed from there to the question
// the program asks before it switches (no setting service here; with one,
// the switch itself starts at that moment), which is answered No. Then the
// program's own cost while nothing changes: its CPU time over a minute,
// hidden, with the profile's connection watched.
namespace bench {

bool MeasureArrival(int runs);

}  // namespace bench
