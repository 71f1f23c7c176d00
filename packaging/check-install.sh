#!/bin/sh
# Installs a build tree into a scratch DESTDIR with prefix /usr and checks
# that exactly the expected files arrive and that the desktop entry and the
# AppStream metainfo are valid and agree with each other.
# Usage: check-install.sh BUILD_DIR VERSION APP_ID HAS_CALCULATOR(0|1) HAS_TOVARIN_TAX(0|1)
# Exits 77 (skipped) when a validator is not installed.
set -u
build=$1 version=$2 app_id=$3 has_exe=$4 has_cli=${5:-0}

failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

dest=$(mktemp -d)
trap 'rm -rf "$dest"' EXIT
if ! DESTDIR=$dest cmake --install "$build" --prefix /usr >"$dest.log" 2>&1; then
  cat "$dest.log"; rm -f "$dest.log"
  echo "FAIL: cmake --install"
  exit 1
fi
rm -f "$dest.log"
root=$dest/usr
share=$root/share
desktop=$share/applications/$app_id.desktop
current_desktop=$share/applications/$app_id.Current.desktop
metainfo=$share/metainfo/$app_id.metainfo.xml

# The package must hold these files and nothing else.
expected=$(mktemp)
trap 'rm -rf "$dest" "$expected"' EXIT
{
  if [ "$has_exe" = 1 ]; then
    echo usr/bin/tovarin-calculator
    echo usr/lib/tovarin-calculator/modules/tovarin-charts.so
  fi
  if [ "$has_cli" = 1 ]; then
    echo usr/bin/tovarin-tax
    echo usr/share/man/man1/tovarin-tax.1.gz
    echo usr/share/bash-completion/completions/tovarin-tax
  fi
  echo "usr/share/applications/$app_id.desktop"
  echo "usr/share/applications/$app_id.Current.desktop"
  echo "usr/share/metainfo/$app_id.metainfo.xml"
  echo usr/share/doc/tovarin-calculator/copyright
  echo usr/share/doc/tovarin-calculator/changelog.Debian.gz
  echo usr/share/man/man1/tovarin-calculator.1.gz
  echo usr/share/lintian/overrides/tovarin-calculator
  for size in 16 32 48 256; do
    echo "usr/share/icons/hicolor/${size}x${size}/apps/tovarin-calculator.png"
  done
  echo usr/share/icons/hicolor/scalable/apps/tovarin-calculator.svg
} | sort >"$expected"
actual=$(cd "$dest" && find . -type f -o -type l | sed 's|^\./||' | sort)
if ! echo "$actual" | diff -u "$expected" - >/dev/null; then
  echo "$actual" | diff -u "$expected" - | sed 's/^/    /'
  fail "installed files differ from the expected list (- missing, + unexpected)"
fi

if [ "$has_exe" = 1 ]; then
  [ -x "$root/bin/tovarin-calculator" ] || fail "usr/bin/tovarin-calculator is not executable"
else
  echo "NOTE: no tovarin-calculator target in this build; executable not checked"
fi
if [ "$has_cli" = 1 ]; then
  [ -x "$root/bin/tovarin-tax" ] || fail "usr/bin/tovarin-tax is not executable"
  # The completion is read by bash: it must parse, and complete the program's commands.
  completion=$share/bash-completion/completions/tovarin-tax
  bash -n "$completion" || fail "the bash completion does not parse"
  got=$(bash -c '. "$1"; COMP_WORDS=(tovarin-tax wi); COMP_CWORD=1; _tovarin_tax; echo "${COMPREPLY[*]}"' \
        sh "$completion")
  [ "$got" = withhold ] || fail "the bash completion completes 'wi' to '$got'"
fi

# A PNG's width and height are the big-endian words at bytes 16 and 20.
png_size() {
  od -An -tu1 -j16 -N8 "$1" |
    awk '{ printf "%dx%d", $1*16777216+$2*65536+$3*256+$4, $5*16777216+$6*65536+$7*256+$8 }'
}
for size in 16 32 48 256; do
  png=$share/icons/hicolor/${size}x${size}/apps/tovarin-calculator.png
  [ -f "$png" ] || continue
  got=$(png_size "$png")
  [ "$got" = "${size}x${size}" ] || fail "icon in ${size}x${size} is $got"
done
svg=$share/icons/hicolor/scalable/apps/tovarin-calculator.svg
[ -f "$svg" ] && ! grep -q '<svg' "$svg" && fail "scalable icon is not an SVG"

# Each desktop entry must launch the installed program the right way and name
# an installed icon; the metainfo must list both entries and carry this version.
check_entry() {  # entry, the command line it must start
  [ -f "$1" ] || return 0
  got=$(sed -n 's/^Exec=//p' "$1" | head -n 1)
  [ "$got" = "$2" ] || fail "$(basename "$1"): Exec=$got, not $2"
  icon=$(sed -n 's/^Icon=//p' "$1" | head -n 1)
  [ -f "$share/icons/hicolor/48x48/apps/$icon.png" ] || fail "Icon=$icon has no installed 48x48 icon"
}
check_entry "$desktop" tovarin-calculator
check_entry "$current_desktop" "tovarin-calculator --current"
if [ -f "$metainfo" ]; then
  launchables=$(sed -n 's|.*<launchable type="desktop-id">\(.*\)</launchable>.*|\1|p' "$metainfo" | tr '\n' ' ')
  [ "$launchables" = "$app_id.desktop $app_id.Current.desktop " ] ||
    fail "metainfo launchables are '$launchables'"
  id=$(sed -n 's|.*<id>\(.*\)</id>.*|\1|p' "$metainfo")
  [ "$id" = "$app_id" ] || fail "metainfo id is '$id'"
  release=$(sed -n 's|.*<release version="\([^"]*\)".*|\1|p' "$metainfo" | head -n 1)
  [ "$release" = "$version" ] || fail "newest metainfo release is '$release', project is $version"
fi

# The documents: a machine-readable copyright file, and the changelog and
# the manual page compressed without a name or time stamp (gzip -9n).
doc=$share/doc/tovarin-calculator
if [ -f "$doc/copyright" ]; then
  head -n 1 "$doc/copyright" |
    grep -qx 'Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/' ||
    fail "copyright is not in the machine-readable format"
  grep -q '^License: Expat$' "$doc/copyright" || fail "copyright names no Expat (MIT) licence"
  grep -q '^License: OFL-1.1$' "$doc/copyright" || fail "copyright lacks the compiled-in fonts' OFL 1.1"
fi
for gz in "$doc/changelog.Debian.gz" "$share/man/man1/tovarin-calculator.1.gz" \
          "$share/man/man1/tovarin-tax.1.gz"; do
  [ -f "$gz" ] || continue
  gzip -t "$gz" || fail "$gz is no gzip file"
  # Bytes 4 to 7 are the time stamp, flag bit 3 a stored file name.
  header=$(od -An -tu1 -N8 "$gz" | tr -s ' ')
  case "$header" in " 31 139 8 0 0 0 0 0") ;; *) fail "$gz holds a name or a time stamp:$header" ;; esac
done
changelog_version=$(gzip -dc "$doc/changelog.Debian.gz" 2>/dev/null | sed -n '1s/^[^ ]* (\([^)]*\)).*/\1/p')
case "$changelog_version" in "$version"-*) ;; *) fail "changelog's version is '$changelog_version'" ;; esac

# Validators: anything desktop-file-validate says, and any error or warning
# of appstreamcli (pedantic), fails. appstreamcli 0.16 keeps one remark:
# it knows no <developer>, which AppStream 1.0 wants.
skipped=""
if command -v desktop-file-validate >/dev/null; then
  for entry in "$desktop" "$current_desktop"; do
    [ -f "$entry" ] || continue
    said=$(desktop-file-validate "$entry" 2>&1) || fail "desktop-file-validate $entry"
    [ -z "$said" ] || { echo "$said"; fail "desktop-file-validate has remarks on $entry"; }
  done
else
  skipped="$skipped desktop-file-validate"
fi
if command -v appstreamcli >/dev/null; then
  if [ -f "$metainfo" ]; then
    said=$(appstreamcli validate --no-net --pedantic "$metainfo" 2>&1) || fail "appstreamcli validate"
    echo "$said"
    echo "$said" | grep -q '^[EW]: ' && fail "appstreamcli reports an error or a warning"
  fi
else
  skipped="$skipped appstreamcli"
fi
if command -v man >/dev/null; then
  for page in "$share/man/man1/tovarin-calculator.1.gz" "$share/man/man1/tovarin-tax.1.gz"; do
    [ -f "$page" ] || continue
    # In a locale of its own: man complains of one that is not installed.
    said=$(LC_ALL=C.UTF-8 man --warnings -E UTF-8 -l -Tutf8 -Z "$page" 2>&1 >/dev/null)
    [ -z "$said" ] || { echo "$said"; fail "man --warnings has remarks on $(basename "$page")"; }
  done
else
  skipped="$skipped man"
fi

if [ "$failures" -gt 0 ]; then
  echo "$failures check(s) failed"
  exit 1
fi
if [ -n "$skipped" ]; then
  echo "SKIPPED: not installed:$skipped (scripts/deps.sh test installs them)"
  exit 77
fi
echo "install tree and metadata OK"
