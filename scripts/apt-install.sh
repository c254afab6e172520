# Sourced by the scripts that install Debian packages (install-deps.sh, fuzz.sh).
#   apt_install PACKAGE...   installs the packages that are not installed yet.
#   have_pkg PACKAGE         answers 0 when the package is installed.
# A package index that fails to download (a mirror caught mid-sync, say) is named in one line
# and the install goes on with the indexes that did arrive. When the install cannot be resolved
# (a library new to the machine would come from the security suite, whose other-architecture
# index did not arrive, so its twin could only come from the release), it is tried once more
# preferring the release's own versions for what is installed new. Nothing is removed or
# downgraded, and no source is added or removed. Answers 1, after a message naming the
# packages and apt's own error, when both tries fail: then a library already installed from
# the security suite has its twin only in the missing index, and the mirror must finish first.

# Another install running at the same time (a second script, the system's own updates) holds
# apt's locks: wait for it rather than fail.
apt_wait=(-o DPkg::Lock::Timeout=900)

have_pkg() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q 'install ok installed'; }

apt_updated="" apt_missing_index=""
apt_update_once() {
  [ -n "$apt_updated" ] && return 0
  apt_updated=1
  local log
  log=$(mktemp)
  if ! apt-get "${apt_wait[@]}" update -qq >"$log" 2>&1; then
    # "E: Failed to fetch URL  REASON" or "W: Failed to fetch URL  REASON": one line each.
    sed -n 's/^[EW]: Failed to fetch \([^ ]*\) *\(.*\)$/apt: index not updated, going on without it: \1 (\2)/p' "$log"
    grep -q 'Failed to fetch' "$log" && apt_missing_index=1
    grep -q 'Failed to fetch' "$log" || sed 's/^/apt: /' "$log"
  fi
  rm -f "$log"
}

apt_install() {
  local missing=() p
  for p in "$@"; do have_pkg "$p" || missing+=("$p"); done
  [ ${#missing[@]} -gt 0 ] || return 0
  echo "Installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt_update_once
  local options=("${apt_wait[@]}" -y -q --no-install-recommends --no-remove) log codename
  log=$(mktemp)
  if apt-get install "${options[@]}" "${missing[@]}" >"$log" 2>&1; then
    rm -f "$log"
    return 0
  fi
  codename=$(. /etc/os-release && echo "${VERSION_CODENAME:-}")
  if [ -n "$codename" ]; then
    echo "apt: the install could not be resolved; trying again with $codename's own versions"
    if apt-get install "${options[@]}" -t "$codename" "${missing[@]}" >"$log" 2>&1; then
      rm -f "$log"
      return 0
    fi
  fi
  echo "apt: could not install ${missing[*]}:" >&2
  grep -E '^(E:| )' "$log" | head -n 30 >&2 || tail -n 30 "$log" >&2
  # An installed library whose other-architecture twin is only in the index that did not
  # arrive cannot be matched without going back to an older version, which this script never
  # does: the mirror has to finish its sync first.
  [ -z "$apt_missing_index" ] ||
    echo "apt: an index named above did not download; run this again once the mirror has finished syncing" >&2
  rm -f "$log"
  return 1
}
