# Debian packages: which are missing, and installing them. Sourced (not run)
# by scripts/setup, scripts/build-windows and scripts/test.d/wine-smoke.
# As root apt-get runs directly, as anyone else through sudo.

PACKAGES_SUDO=""
if [ "$(id -u)" != 0 ]; then PACKAGES_SUDO="sudo"; fi

# Prints each named package that is not installed, one a line.
packages_missing() {
  local p
  for p in "$@"; do
    dpkg-query -W -f='${Status}\n' "$p" 2>/dev/null | grep -q '^install ok installed$' || echo "$p"
  done
}

packages_apt() {
  $PACKAGES_SUDO env DEBIAN_FRONTEND=noninteractive apt-get "$@" -y -q -o DPkg::Lock::Timeout=900
}

# Installs the named packages; apt-get options (--no-install-recommends) may
# be among them. A fresh machine has no package lists yet, so when the
# install fails the lists are fetched and it is tried once more. Nothing
# named but options: nothing to do.
packages_install() {
  local p named=0
  for p in "$@"; do [[ $p == -* ]] || named=1; done
  [ "$named" = 1 ] || return 0
  if ! packages_apt install "$@"; then
    packages_apt update
    packages_apt install "$@"
  fi
}
