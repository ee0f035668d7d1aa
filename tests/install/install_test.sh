#!/usr/bin/env bash
# install_test.sh BUILD_DIR
# Installs the build into a temporary prefix and checks the installed layout:
# every program starts from it and finds its files in share/velmar/<Program>/,
# velprog and velreport work from bin/, the menu entries validate and open
# .sin files, the file type, icons, manual page and completion are in place,
# and running the programs writes nothing under the prefix.
set -euo pipefail
build="$1"
src="$(cd "$(dirname "$0")/../.." && pwd)"
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
prefix="$tmp/prefix"
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }
programs=(Velmar_V VM_CH128 VM_CH118 Marlowe VM_CH16 VM_CH16_CN)
mime_type=application/x-velmar-channel-data
mime_icon=application-x-velmar-channel-data
# Each program carries its own help pages (Velmar_V two languages, every other
# program help/<Program>/). A program whose pages are not written yet has none
# and says so at start-up: "help pages missing: …".
help_written() {
  if [ "$1" = Velmar_V ]; then [ -d "$src/help/Velmar_V_EN" ]; else [ -d "$src/help/$1" ]; fi
}

cmake --install "$build" --prefix "$prefix" >"$tmp/install.log" || { cat "$tmp/install.log" >&2; exit 1; }

# --- the installed files
for f in bin/velprog bin/velreport share/man/man1/velprog.1.gz share/bash-completion/completions/velprog \
         share/mime/packages/velmar.xml share/icons/hicolor/scalable/apps/velmar.svg \
         share/icons/hicolor/scalable/mimetypes/$mime_icon.svg \
         share/velmar/Velmar_V/Velmar_V_EN.qm share/velmar/Velmar_V/Velmar_V_CH.qm \
         share/velmar/VM_CH16_CN/VM_CH16_CN_CH.qm; do
  [ -f "$prefix/$f" ] || fail "$f is not installed"
done
for size in 16 22 24 32 48 64 128 256; do
  for icon in apps/velmar.png mimetypes/$mime_icon.png; do
    [ -s "$prefix/share/icons/hicolor/${size}x${size}/$icon" ] || fail "icon ${size}x${size}/$icon is missing"
  done
done
for p in "${programs[@]}"; do
  [ -x "$prefix/bin/$p" ] || fail "bin/$p is not installed"
  [ -f "$prefix/share/velmar/$p/$p.ini" ] || fail "the default $p.ini is not installed"
  if help_written "$p"; then
    ls "$prefix/share/velmar/$p"/help/*/index.html >/dev/null 2>&1 || fail "$p has no help pages"
  fi
done

# Everything under the prefix, to compare after running the programs.
snapshot() { (cd "$prefix" && find . -printf '%p %y %s %m %T@\n' | LC_ALL=C sort); }
snapshot >"$tmp/before"

# --- running from the installed layout, as a user whose home is empty
mkdir -p "$tmp/home" "$tmp/work"
cd "$tmp/work"
mkdir -m 700 "$tmp/runtime"
export HOME="$tmp/home" XDG_RUNTIME_DIR="$tmp/runtime" QT_QPA_PLATFORM=offscreen
unset XDG_CONFIG_HOME LANGUAGE LC_ALL LC_MESSAGES
export LANG=en_US.UTF-8

families=$("$prefix/bin/velprog" families) || fail "velprog families failed"
for p in "${programs[@]}"; do
  grep -q "$p" <<<"$families" || fail "velprog families does not list $p"
done
"$prefix/bin/velprog" new --family VM_CH128 radio.sin >/dev/null || fail "velprog new failed"
"$prefix/bin/velprog" report --family VM_CH128 radio.sin radio.pdf >/dev/null 2>"$tmp/report.err" ||
  fail "velprog report (velreport from bin/) failed: $(cat "$tmp/report.err")"
[ -s radio.pdf ] || fail "velprog report wrote no PDF"

# check_startup PROGRAM LANG WHAT EXPECTED [ARGS...]: start-up finds WHAT at EXPECTED.
check_startup() {
  local program="$1" lang="$2" what="$3" expected="$4"
  shift 4
  local out err status=0
  out=$(LANG="$lang" "$prefix/bin/$program" --startup-check "$@" 2>"$tmp/err") || status=$?
  if ! help_written "$program"; then
    # Its missing pages are reported, and that is all that is wrong.
    grep -q '^help pages missing: ' "$tmp/err" || fail "$program does not say its help pages are missing"
    sed -i '/^help pages missing: /d' "$tmp/err"
    [ "$status" -eq 1 ] && [ ! -s "$tmp/err" ] && status=0
  fi
  if [ "$status" -ne 0 ]; then
    fail "$program --startup-check failed: $(cat "$tmp/err")"
    return
  fi
  err=$(cat "$tmp/err")
  [ -z "$err" ] || fail "$program said on start-up: $err"
  grep -qxF "$what: $expected" <<<"$out" || fail "$program: expected '$what: $expected', got: $out"
}
data="$prefix/share/velmar"
for p in "${programs[@]}"; do
  check_startup "$p" en_US.UTF-8 configuration "$data/$p/$p.ini"
  check_startup "$p" en_US.UTF-8 "program folder" "$prefix/bin"
done
check_startup Velmar_V en_US.UTF-8 "language library" "$data/Velmar_V/Velmar_V_EN.qm"
check_startup Velmar_V zh_CN.UTF-8 "language library" "$data/Velmar_V/Velmar_V_CH.qm"
check_startup Velmar_V zh_CN.UTF-8 help "$data/Velmar_V/help/Velmar_V_CH"
check_startup VM_CH16_CN en_US.UTF-8 "language library" "$data/VM_CH16_CN/VM_CH16_CN_CH.qm"
# A double-clicked file opens: the program is started with its path.
"$prefix/bin/velprog" new --family Velmar_V velmar.sin >/dev/null
check_startup Velmar_V en_US.UTF-8 configuration "$data/Velmar_V/Velmar_V.ini" "$tmp/work/velmar.sin"

snapshot >"$tmp/after"
diff -u "$tmp/before" "$tmp/after" >&2 || fail "running the programs changed files under the prefix"
extra=$(ls -A "$tmp/work" | grep -vxE 'radio\.sin|radio\.pdf|velmar\.sin' || true)
[ -z "$extra" ] || fail "running the programs wrote into the working folder: $extra"
user_files=$(find "$tmp/home" -name '*.ini' -path '*velmar*' || true)
[ -z "$user_files" ] || fail "an installed default configuration was there, yet one was created: $user_files"

# --- menu entries: valid, one per program, opening .sin files
shopt -s nullglob
desktops=("$prefix"/share/applications/*.desktop)
[ "${#desktops[@]}" -eq "${#programs[@]}" ] || fail "${#desktops[@]} menu entries, expected ${#programs[@]}"
if command -v desktop-file-validate >/dev/null; then
  for d in "${desktops[@]}"; do
    msg=$(desktop-file-validate "$d" 2>&1) || fail "desktop-file-validate refuses $d: $msg"
    grep -qiE 'error|warning' <<<"$msg" && fail "desktop-file-validate: $msg"
  done
else
  fail "desktop-file-validate is not installed (scripts/deps installs desktop-file-utils)"
fi
for p in "${programs[@]}"; do
  entry=$(grep -lxF "Exec=$p %f" "${desktops[@]}" || true)
  if [ -z "$entry" ]; then
    fail "no menu entry runs '$p %f'"
    continue
  fi
  grep -qxF "MimeType=$mime_type;" "$entry" || fail "$entry does not offer $p for .sin files"
  grep -q '^Name\[zh\]=' "$entry" || fail "$entry has no Chinese name"
done

# --- the file type: shared-mime-info maps *.sin to it
if command -v update-mime-database >/dev/null; then
  cp -r "$prefix/share/mime" "$tmp/mime"
  update-mime-database "$tmp/mime" 2>"$tmp/mime.err" || fail "update-mime-database: $(cat "$tmp/mime.err")"
  grep -q ":$mime_type:\*\.sin" "$tmp/mime/globs2" || fail "*.sin is not $mime_type"
else
  fail "update-mime-database is not installed (scripts/deps installs shared-mime-info)"
fi

# --- velprog's completion and manual page follow its own commands
complete_words() {
  bash -c 'source "$1"; shift; COMP_WORDS=("$@"); COMP_CWORD=$(($# - 1)); _velprog; echo "${COMPREPLY[*]}"' \
    _ "$prefix/share/bash-completion/completions/velprog" "$@"
}
[ "$(complete_words velprog fam)" = families ] || fail "completion of 'velprog fam': $(complete_words velprog fam)"
grep -qw Velmar_V <<<"$(complete_words velprog new --family V)" || fail "completion of --family offers no family"
grep -qw -- --family <<<"$(complete_words velprog show --fa)" || fail "completion of 'velprog show --fa'"
man_text=$(gzip -dc "$prefix/share/man/man1/velprog.1.gz")
grep -q '^\.TH VELPROG 1' <<<"$man_text" || fail "velprog.1 has no title"
for c in families new show report; do
  grep -qx "\.SS $c" <<<"$man_text" || fail "velprog.1 does not describe '$c'"
done

[ "$failures" -eq 0 ] || { echo "$failures check(s) failed" >&2; exit 1; }
echo "installed layout checked: ${#programs[@]} programs, velprog, menu entries, file type"
