#!/bin/sh
# Builds the Debian package of a build tree into a scratch folder and checks
# it as a distribution would: lintian, pedantic and with every tag shown,
# must report no error and no warning, and nothing beyond the tags kept
# below; the library dependencies must come from dpkg-shlibdeps.
# Usage: check-deb.sh CPACK BUILD_DIR
# Exits 77 (skipped) when dpkg-shlibdeps or lintian is not installed.
set -u
cpack=$1 build=$2

for tool in dpkg-shlibdeps lintian; do
  if ! command -v "$tool" >/dev/null; then
    echo "SKIPPED: $tool not installed (scripts/deps.sh test installs it)"
    exit 77
  fi
done

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
if ! "$cpack" --config "$build/CPackConfig.cmake" -G DEB -B "$scratch" >"$scratch/cpack.log" 2>&1; then
  cat "$scratch/cpack.log"
  echo "FAIL: cpack -G DEB"
  exit 1
fi
deb=$(ls "$scratch"/*.deb)
echo "built $(basename "$deb")"
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
for wanted in "libqt6widgets6 (>=" "libqt6charts6 (>=" "libc6 (>=" qt6-translations-l10n; do
  case "$depends" in *"$wanted"*) ;; *) fail "Depends lacks $wanted" ;; esac
done
# The program's own texts draw from its compiled-in faces: a CJK font is only recommended.
case "$depends" in *fonts-noto-cjk*) fail "Depends names fonts-noto-cjk" ;; esac
recommends=$(dpkg-deb -f "$deb" Recommends)
echo "Recommends: $recommends"
case "$recommends" in *fonts-noto-cjk*) ;; *) fail "Recommends lacks fonts-noto-cjk" ;; esac

# Tags kept, each for a reason (the package's lintian-overrides says why
# the overridden one is), and lintian's notes (N:):
# - spelling-error-in-binary tHIe: lintian reads words out of every byte of
#   the program, and the bytes "t)HIe" of the compiled-in banner@2x.jpg read
#   as a misspelt "the".
# - initial-upload-closes-no-bugs, overridden: no ITP bug to close.
# - hardening-no-fortify-functions on tovarin-tax, overridden: built fortified,
#   it has no call with bounds the compiler could check.
cat >"$scratch/kept" <<'PATTERNS'
^I: tovarin-calculator: spelling-error-in-binary tHIe the \[usr/bin/tovarin-calculator\]$
^O: tovarin-calculator: initial-upload-closes-no-bugs \[usr/share/doc/tovarin-calculator/changelog.Debian.gz:1\]$
^O: tovarin-calculator: hardening-no-fortify-functions \[usr/bin/tovarin-tax\]$
^N: 
PATTERNS
LC_ALL=C.UTF-8 lintian -I -E --pedantic --show-overrides --tag-display-limit 0 "$deb" \
  >"$scratch/lintian.log" 2>"$scratch/lintian.err"
echo "lintian -I -E --pedantic --show-overrides:"
sed 's/^/    /' "$scratch/lintian.log" "$scratch/lintian.err"
unexpected=$(grep -v -f "$scratch/kept" "$scratch/lintian.log")
[ -z "$unexpected" ] || fail "lintian tags beyond the kept ones: $unexpected"
grep -q '^[EW]: ' "$scratch/lintian.log" && fail "lintian reports an error or a warning"

if [ "$failures" -gt 0 ]; then
  echo "$failures check(s) failed"
  exit 1
fi
echo "package and lintian OK"
