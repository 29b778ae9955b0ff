#!/usr/bin/env bash
# The test network: a laptop and two sites in network namespaces of their
# own, joined by a cable (a veth pair), so that nothing leaves this machine.
# Needs root. See README.md beside this script.
#
#   testnet.sh run BUILD PROGRAM [ARGS...]
#       removes what an earlier run left, makes the network, runs PROGRAM
#       under Wine inside the laptop (prefix BUILD/netns-wineprefix, its
#       own Wine server) and removes the network again; exit code PROGRAM's
#       (77: not root, nothing done)
#   testnet.sh do DONE VERB [ARGS...]
#       what the stand-ins and the tests ask for from inside the laptop
#       through Wine: runs VERB and writes its exit code to the file DONE
#   VERBs: static IF IP MASK [GATEWAY] | dhcp IF | renew IF |
#          dns IF [SERVER...] | dns-add IF SERVER | plug a|b
set -euo pipefail

laptop=ortivo-laptop
lan=ortivo-lan      # the laptop's interface
cable=ortivo-cable  # the cable's far end, plugged into one site's switch
# Each site's gateway: address/prefix and MAC (documentation ranges).
declare -A gateway=([a]=192.0.2.1/24 [b]=198.51.100.1/24)
declare -A gatewayMac=([a]=00:00:5e:00:53:0a [b]=00:00:5e:00:53:0b)
site() { echo "ortivo-site-$1"; }
script="$(realpath "${BASH_SOURCE[0]}")"

# Everything of an earlier or this run: the Wine server and every process
# in the namespaces, the namespaces and the laptop's resolver file.
down() {
  WINEPREFIX="$prefix" wineserver -k 2>/dev/null || true
  for ns in "$laptop" "$(site a)" "$(site b)"; do
    [ -e "/run/netns/$ns" ] || continue
    for _ in $(seq 1 50); do
      pids="$(ip netns pids "$ns")"
      [ -n "$pids" ] || break
      kill $pids 2>/dev/null || true
      sleep 0.1
    done
    ip netns del "$ns"
  done
  rm -rf "/etc/netns/$laptop" "$state"
  rmdir /etc/netns 2>/dev/null || true
}

up() {
  mkdir -p "$state" "/etc/netns/$laptop"
  : > "/etc/netns/$laptop/resolv.conf"
  ln -s "$script" "$state/helper"
  for ns in "$laptop" "$(site a)" "$(site b)"; do
    ip netns add "$ns"
    ip -n "$ns" link set lo up
  done
  for s in a b; do
    ip -n "$(site "$s")" link add ortivo-gw address "${gatewayMac[$s]}" type bridge
    ip -n "$(site "$s")" addr add "${gateway[$s]}" dev ortivo-gw
    ip -n "$(site "$s")" link set ortivo-gw up
  done
  ip -n "$laptop" link add "$lan" address 00:00:5e:00:53:10 type veth peer name "$cable" netns "$(site a)"
  ip -n "$laptop" link set "$lan" up
  plug a
  # Site A's DHCP server: one address, its gateway, itself as DNS server
  # (answering from nothing but its own names) and the DNS suffix.
  ip netns exec "$(site a)" dnsmasq --interface=ortivo-gw --bind-interfaces --no-resolv --no-hosts \
    --leasefile-ro --dhcp-range=192.0.2.100,192.0.2.100,255.255.255.0,1h --domain=site-a.example \
    --dhcp-option=option:domain-name,site-a.example
}

# The cable's far end goes from whichever site holds it into site $1's switch.
plug() {
  for s in a b; do
    ip -n "$(site "$s")" link set "$cable" netns "$(site "$1")" 2>/dev/null || true
  done
  ip -n "$(site "$1")" link set "$cable" master ortivo-gw up
}

dhcp() {
  udhcpc -i "$1" -B -f -q -n -t 5 -T 1 -A 1 >/dev/null 2>&1
}

verb() {
  local what="$1"
  shift
  case "$what" in
    static)
      ip -4 addr flush dev "$1"
      ip -4 route flush dev "$1"
      ip addr add "$2/$3" dev "$1"
      [ -z "${4:-}" ] || ip route replace default via "$4" dev "$1"
      : > /etc/resolv.conf ;;
    dhcp) ip -4 addr flush dev "$1"; dhcp "$1" || true ;;  # as Windows, a lease may come later
    renew) dhcp "$1" ;;
    dns) shift; for server in "$@"; do echo "nameserver $server"; done > /etc/resolv.conf ;;
    dns-add) echo "nameserver $2" >> /etc/resolv.conf ;;
    plug) plug "$1" ;;
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
    up
    status=0
    ORTIVO_TESTNET="$state" ip netns exec "$laptop" "$(dirname "$script")/../../tools/wine-run" \
      --prefix "$prefix" "$@" || status=$?
    exit $status ;;
  do)
    done="$2"
    shift 2
    status=0
    verb "$@" || status=$?
    echo "$status" > "$done.tmp"
    mv "$done.tmp" "$done" ;;
  *)
    echo "usage: testnet.sh run BUILD PROGRAM [ARGS...] | do DONE VERB [ARGS...]" >&2
    exit 2 ;;
esac
