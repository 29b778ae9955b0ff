#!/usr/bin/env bash
# The test network: a laptop and two sites in network namespaces of their
# own, joined by a cable (a veth pair), so that nothing leaves this machine.
# Needs root. See README.md beside this script.
#
#   testnet.sh run BUILD PROGRAM [ARGS...] [-- PROGRAM [ARGS...]]...
#       removes what an earlier run left, makes the laptop, and before each
#       PROGRAM the sites and the cable afresh (site A, the laptop unleased);
#       runs each PROGRAM under Wine inside the laptop (prefix
#       BUILD/netns-wineprefix, one Wine server for all of them) and
#       removes everything again; exit code 0 when every PROGRAM passed,
#       1 otherwise (77: not root, nothing done)
#   testnet.sh do DONE VERB [ARGS...]
#       what the stand-ins and the tests ask for from inside the laptop
#       through Wine: runs VERB and writes its exit code to the file DONE
#   VERBs: static IF IP MASK [GATEWAY] | dhcp IF | renew IF |
#          dns IF [SERVER...] | dns-add IF SERVER | dns-dhcp IF | plug a|b
set -euo pipefail

laptop=ortivo-laptop
lan=ortivo-lan      # the laptop's interface
cable=ortivo-cable  # the cable's far end, plugged into one site's switch
# Each site's gateway: address/prefix and MAC (documentation ranges).
declare -A gateway=([a]=192.0.2.1/24 [b]=198.51.100.1/24)
declare -A gatewayMac=([a]=00:00:5e:00:53:0a [b]=00:00:5e:00:53:0b)
site() { echo "ortivo-site-$1"; }
# The laptop's resolver file (Wine reads it; `ip netns exec` shows it as /etc/resolv.conf).
resolv="/etc/netns/$laptop/resolv.conf"
script="$(realpath "${BASH_SOURCE[0]}")"

# Ends every process in the namespaces given and removes them.
remove() {
  for ns in "$@"; do
    [ -e "/run/netns/$ns" ] || continue
    for _ in $(seq 1 50); do
      pids="$(ip netns pids "$ns")"
      [ -n "$pids" ] || break
      kill $pids 2>/dev/null || true
      sleep 0.1
    done
    ip netns del "$ns"
  done
}

# Everything of an earlier or this run: the Wine server and every process
# in the namespaces, the namespaces and the laptop's resolver file.
down() {
  WINEPREFIX="$prefix" wineserver -k 2>/dev/null || true
  remove "$laptop" "$(site a)" "$(site b)"
  rm -rf "/etc/netns/$laptop" "$state" "$prefix/drive_c/ortivo-testnet"
  rmdir /etc/netns 2>/dev/null || true
}

# The laptop with its interface; the cable's far end stays with it until
# a site is made. The interface keeps its index, so Wine's adapter for it
# keeps its name from one program to the next.
laptop() {
  mkdir -p "$state" "/etc/netns/$laptop"
  ln -s "$script" "$state/helper"
  ip netns add "$laptop"
  ip -n "$laptop" link set lo up
  ip -n "$laptop" link add "$lan" address 00:00:5e:00:53:10 type veth peer name "$cable"
  ip -n "$laptop" link set "$lan" up
}

# The sites afresh, the cable plugged into site A, and the laptop's
# interface without address, route, neighbours, lease or DNS servers.
sites() {
  for s in a b; do
    ip -n "$(site "$s")" link set "$cable" netns "$laptop" 2>/dev/null || true
  done
  remove "$(site a)" "$(site b)"
  unconfigure "$lan"
  ip -n "$laptop" neigh flush dev "$lan"
  rm -f "$state/dhcp"
  for s in a b; do
    ip netns add "$(site "$s")"
    ip -n "$(site "$s")" link set lo up
    ip -n "$(site "$s")" link add ortivo-gw address "${gatewayMac[$s]}" type bridge
    ip -n "$(site "$s")" addr add "${gateway[$s]}" dev ortivo-gw
    ip -n "$(site "$s")" link set ortivo-gw up
  done
  plug a
  # Site A's DHCP server: one address, its gateway, itself as DNS server
  # (answering from nothing but its own names) and the DNS suffix.
  ip netns exec "$(site a)" dnsmasq --interface=ortivo-gw --bind-interfaces --no-resolv --no-hosts \
    --leasefile-ro --dhcp-range=192.0.2.100,192.0.2.100,255.255.255.0,1h --domain=site-a.example \
    --dhcp-option=option:domain-name,site-a.example
}

# The cable's far end goes from wherever it is into site $1's switch.
plug() {
  for ns in "$laptop" "$(site a)" "$(site b)"; do
    ip -n "$ns" link set "$cable" netns "$(site "$1")" 2>/dev/null || true
  done
  ip -n "$(site "$1")" link set "$cable" master ortivo-gw up
}

# The laptop's interface $1 without IPv4 address or route, no DNS servers.
unconfigure() {
  ip -n "$laptop" -4 addr flush dev "$1"
  ip -n "$laptop" -4 route flush dev "$1"
  : > "$resolv"
}

# The DHCP client as Windows has it: it asks once (a few short tries) and,
# with no answer, gives the connection an automatic private address.
# What it holds goes to $state/dhcp for the Wine side (TestNetwork.cpp):
# the interface, the lease's DNS servers (space-separated) and DNS suffix;
# the file is there while the interface is in DHCP mode.
lease() {
  local status=0
  unconfigure "$1"
  udhcpc -i "$1" -B -f -q -n -t 5 -T 1 -A 1 >/dev/null 2>&1 ||
    { status=1; ip addr add 169.254.83.16/16 dev "$1"; }
  printf '%s\n%s\n%s\n' "$1" "$(sed -n 's/^nameserver //p' "$resolv" | paste -sd ' ')" \
    "$(sed -n 's/^domain //p' "$resolv")" > "$state/dhcp"
  return $status
}

# Line $1 of what the DHCP client holds; empty when in no DHCP mode.
held() { sed -n "$1p" "$state/dhcp" 2>/dev/null || true; }

# The resolver file: the DNS suffix $1 (none when empty) and the servers.
resolver() {
  local domain="$1"
  shift
  { [ -z "$domain" ] || echo "domain $domain"; for server in "$@"; do echo "nameserver $server"; done; } > "$resolv"
}

verb() {
  local what="$1"
  shift
  case "$what" in
    static)
      unconfigure "$1"
      rm -f "$state/dhcp"
      ip addr add "$2/$3" dev "$1"
      [ -z "${4:-}" ] || ip route replace default via "$4" dev "$1" ;;
    dhcp) lease "$1" || true ;;  # as Windows, a lease may come later
    renew) lease "$1" ;;
    dns) shift; resolver "" "$@" ;;
    dns-add) echo "nameserver $2" >> "$resolv" ;;
    dns-dhcp) read -ra servers <<< "$(held 2)"; resolver "$(held 3)" "${servers[@]}" ;;
    # Windows asks again when the link of a DHCP connection comes back; a
    # fixed address stays as it is.
    plug) plug "$1"; [ -z "$(held 1)" ] || lease "$(held 1)" || true ;;
    *) return 2 ;;
  esac
}

case "${1:-}" in
  run)
    [ "$(id -u)" = 0 ] || { echo "testnet: the test network needs root" >&2; exit 77; }
    build="$(realpath "$2")"
    shift 2
    prefix="$build/netns-wineprefix"
    state="$build/testnet"
    down
    trap down EXIT
    laptop
    status=0
    while [ $# -gt 0 ]; do  # each pass takes at least one argument
      program=()
      while [ $# -gt 0 ] && [ "$1" != -- ]; do program+=("$1"); shift; done
      [ $# -eq 0 ] || shift
      sites
      # The services Wine starts do not inherit ORTIVO_TESTNET: they read it here.
      mkdir -p "$prefix/drive_c"
      echo "$state" > "$prefix/drive_c/ortivo-testnet"
      echo "testnet: ${program[*]}"
      ORTIVO_TESTNET="$state" ip netns exec "$laptop" "$(dirname "$script")/../../tools/wine-run" \
        --prefix "$prefix" "${program[@]}" || status=1
    done
    exit $status ;;
  do)
    done="$2"
    state="$(dirname "$done")"
    shift 2
    status=0
    verb "$@" || status=$?
    echo "$status" > "$done.tmp"
    mv "$done.tmp" "$done" ;;
  *)
    echo "usage: testnet.sh run BUILD PROGRAM [ARGS...] [-- PROGRAM [ARGS...]]... | do DONE VERB [ARGS...]" >&2
    exit 2 ;;
esac
