#!/usr/bin/env bash
# Installs the build into a scratch prefix, moves the prefix, and runs the
# installed programs from there; with PACKAGE=ON also builds the Debian
# package, checks what it lists and runs the programs unpacked from it.
#
#   install_test.sh BUILD_DIR SOURCE_DIR PACKAGE
set -euo pipefail
build=$(cd "$1" && pwd)
source=$(cd "$2" && pwd)
package=${3:-OFF}
scratch=$(mktemp -d "$build/install-test.XXXXXX")
trap 'rm -rf "$scratch"' EXIT
unset LD_LIBRARY_PATH  # the installed programs must find their own libraries
export XDG_STATE_HOME=$scratch/state XDG_CONFIG_HOME=$scratch/config

fail() { echo "FAILED: $*" >&2; exit 1; }

# Every file an installation must hold, relative to the prefix.
expected_files=(
  bin/regsmith
  bin/regsmith-cli
  lib/regsmith/libregsmith-fw.so
  lib/regsmith/plugins/K74x_75x.so
  share/regsmith/doc/user-guide.html
  share/doc/regsmith/copyright
  share/regsmith/doc/screenshots/main-window.png
  share/applications/regsmith.desktop
  share/mime/packages/regsmith.xml
  share/icons/hicolor/scalable/apps/regsmith.svg
  share/icons/hicolor/16x16/apps/regsmith.png
  share/icons/hicolor/48x48/apps/regsmith.png
  share/icons/hicolor/256x256/apps/regsmith.png
  share/icons/hicolor/48x48/mimetypes/application-x-regsmith-project.png
  share/man/man1/regsmith.1.gz
  share/man/man1/regsmith-cli.1.gz
  share/bash-completion/completions/regsmith-cli
)

# Runs the installed programs of the tree at $1: models, new, generate (the
# same bytes as the build's own program), the desktop program offscreen.
check_programs() {
  local prefix=$1 work=$scratch/work-$2
  mkdir -p "$work"
  local models
  models=$("$prefix/bin/regsmith-cli" models) || fail "$2: regsmith-cli models"
  [ "$(printf '%s\n' "$models" | wc -l)" = 12 ] || fail "$2: not twelve models: $models"
  [ "$(printf '%s\n' "$models" | head -1)" = "QK740  0xD0" ] || fail "$2: first model: $(printf '%s\n' "$models" | head -1)"
  "$prefix/bin/regsmith-cli" new QK754 -o "$work/board.rsg" || fail "$2: regsmith-cli new"
  "$prefix/bin/regsmith-cli" generate "$work/board.rsg" --format asm -o "$work/installed.asm" || fail "$2: generate"
  "$build/bin/regsmith-cli" generate "$work/board.rsg" --format asm -o "$work/built.asm"
  cmp "$work/installed.asm" "$work/built.asm" || fail "$2: the installed program generates other text"
  local shown
  shown=$(QT_QPA_PLATFORM=offscreen "$prefix/bin/regsmith" --exit-when-shown "$work/board.rsg" 2>"$work/stderr") ||
    fail "$2: regsmith --exit-when-shown: $(cat "$work/stderr")"
  grep -qx "project: board.rsg" <<<"$shown" || fail "$2: regsmith showed: $shown"
  grep -q "regsmith: " "$work/stderr" && fail "$2: regsmith reported: $(cat "$work/stderr")"
  # The library is the installed one, found beside the programs.
  local libraries
  libraries=$(ldd "$prefix/bin/regsmith-cli")
  grep -q "libregsmith-fw.so => $prefix/\(bin/\.\./\)\?lib/regsmith/libregsmith-fw.so" <<<"$libraries" ||
    fail "$2: regsmith-cli does not use the installed library: $libraries"
  # The version and the options need no display.
  [ "$(env -u QT_QPA_PLATFORM -u DISPLAY -u WAYLAND_DISPLAY "$prefix/bin/regsmith" --version 2>/dev/null)" = "Regsmith 1.0" ] ||
    fail "$2: regsmith --version without a display"
  echo "$2: programs run"
}

# ---- cmake --install into a prefix that then moves ------------------------------------
cmake --install "$build" --prefix "$scratch/first" >"$scratch/install.log" || fail "cmake --install: $(cat "$scratch/install.log")"
mv "$scratch/first" "$scratch/moved"
prefix=$scratch/moved
for file in "${expected_files[@]}"; do [ -f "$prefix/$file" ] || fail "not installed: $file"; done
for elf in bin/regsmith bin/regsmith-cli lib/regsmith/libregsmith-fw.so lib/regsmith/plugins/K74x_75x.so; do
  runpath=$(readelf -d "$prefix/$elf" | sed -n 's/.*(RUNPATH).*\[\(.*\)\]/\1/p')
  IFS=: read -ra entries <<<"$runpath"
  for entry in "${entries[@]}"; do
    case $entry in '$ORIGIN'*) ;; *) fail "$elf has the run path $runpath: not relative to itself" ;; esac
  done
done
check_programs "$prefix" prefix

# Desktop entry, MIME type, man pages, completion.
if command -v desktop-file-validate >/dev/null; then
  desktop-file-validate "$prefix/share/applications/regsmith.desktop" || fail "desktop-file-validate"
  echo "desktop entry valid"
fi
grep -qx 'Exec=regsmith %F' "$prefix/share/applications/regsmith.desktop" || fail "desktop entry: Exec"
grep -qx 'MimeType=application/x-regsmith-project;' "$prefix/share/applications/regsmith.desktop" || fail "desktop entry: MimeType"
if command -v update-mime-database >/dev/null; then
  XDG_DATA_DIRS=$prefix/share update-mime-database "$prefix/share/mime" || fail "update-mime-database"
  grep -q '^50:application/x-regsmith-project:\*\.rsg$' "$prefix/share/mime/globs2" || fail "no *.rsg glob"
  grep -aq 'application/x-regsmith-project' "$prefix/share/mime/magic" || fail "no magic rule"
  echo "MIME type registered"
fi
for page in regsmith regsmith-cli; do
  gzip -t "$prefix/share/man/man1/$page.1.gz" || fail "$page.1.gz"
  if command -v groff >/dev/null; then
    warnings=$(zcat "$prefix/share/man/man1/$page.1.gz" | LC_ALL=C.UTF-8 groff -man -Tutf8 -ww -z 2>&1)
    [ -z "$warnings" ] || fail "$page.1: $warnings"
  fi
done
# The commands and options, as the installed program lists them in --help
# ("-h" aside): the man page and the completion must follow them.
help_section() {  # $1: the help text, $2: the section; the first word of each of its lines
  awk -v section="$2:" '$0 == section { on = 1; next } /^[^ ]/ { on = 0 } on && NF { print $1 }' <<<"$1"
}
cli_help=$("$prefix/bin/regsmith-cli" --help) || fail "regsmith-cli --help"
mapfile -t cli_commands < <(help_section "$cli_help" Subcommands)
[ "${#cli_commands[@]}" -ge 6 ] || fail "regsmith-cli --help lists the commands: ${cli_commands[*]}"
cli_options() {  # $@: the command, or nothing; its option names, sorted on one line
  help_section "$("$prefix/bin/regsmith-cli" "$@" --help)" Options | tr ',' '\n' | grep -vx -- -h | sort | paste -sd' '
}

manual=$(zcat "$prefix/share/man/man1/regsmith-cli.1.gz")
for command in "${cli_commands[@]}"; do
  grep -q "^\.B[IR]\? \"\?$command\b" <<<"$manual" || fail "man regsmith-cli: no command $command"
done

# Completion: what each command line offers (the words typed; the offers).
(
  cd "$scratch/work-prefix"
  set +e +o pipefail  # as in an interactive shell, where completion runs
  mkdir -p boards && : >boards/other.rsg && : >notes.txt
  # shellcheck disable=SC1091
  source "$prefix/share/bash-completion/completions/regsmith-cli"
  while IFS='|' read -r line offers; do
    read -ra COMP_WORDS <<<"$line"
    [[ $line == *' ' ]] && COMP_WORDS+=("")
    COMP_WORDS[0]=$prefix/bin/regsmith-cli
    COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
    _regsmith_cli
    got=$(printf '%s\n' "${COMPREPLY[@]}" | sort | paste -sd' ')
    [ "$got" = "$offers" ] || fail "completing '$line': '$got', not '$offers'"
  done < <(
    # Every command and option the program lists, offered on its own.
    echo "regsmith-cli |$(printf '%s\n' "${cli_commands[@]}" | sort | paste -sd' ')"
    echo "regsmith-cli -|$(cli_options)"
    for command in "${cli_commands[@]}"; do
      offers=$(cli_options "$command")
      [ "$command" = script ] && offers=$(printf '%s\n' $offers - | sort | paste -sd' ')  # - for standard input
      echo "regsmith-cli $command -|$offers"
    done
    cat <<'TABLE'
regsmith-cli ge|generate
regsmith-cli di|diff
regsmith-cli new qk75|QK750 QK751 QK753 QK754 QK756 QK757
regsmith-cli --plugins /nowhere new QK|
regsmith-cli new QK740 -|--force --help --output -o
regsmith-cli generate |board.rsg boards
regsmith-cli generate board.rsg --format |asm c
regsmith-cli generate board.rsg -o |board.rsg boards built.asm installed.asm notes.txt stderr
regsmith-cli dump --|--changed --clocks --help --json --pins
regsmith-cli check |board.rsg boards
regsmith-cli check board.rsg --|--help --json --werror
regsmith-cli generate board.rsg --line-ends |crlf lf
regsmith-cli report board.rsg --format |html md pdf
regsmith-cli report board.rsg --paper |a4 letter
regsmith-cli generate --check board.rsg |board.rsg boards built.asm installed.asm notes.txt stderr
regsmith-cli diff board.rsg |board.rsg boards
regsmith-cli script n|notes.txt
TABLE
  )
)
echo "completion offers what it should"

# ---- The Debian package ---------------------------------------------------------------
if [ "$package" = ON ] && command -v dpkg-deb >/dev/null && command -v dpkg-shlibdeps >/dev/null; then
  (cd "$build" && cpack -G DEB -B "$scratch/package" >"$scratch/cpack.log" 2>&1) || fail "cpack: $(cat "$scratch/cpack.log")"
  deb=$(ls "$scratch"/package/regsmith_*.deb)
  listing=$(dpkg-deb -c "$deb" | awk '{print $6}')
  while read -r path; do
    case $path in ./usr/*|./) ;; *) fail "the package holds $path, outside /usr" ;; esac
    case $path in *"$build"*|*"$source"*|*/build/*) fail "the package holds a build path: $path" ;; esac
  done <<<"$listing"
  for file in "${expected_files[@]}"; do grep -qx "./usr/$file" <<<"$listing" || fail "not in the package: $file"; done
  fields=$(dpkg-deb -f "$deb" Package Version Maintainer Section Depends Description)
  for want in "Package: regsmith" "Version: 1.0" "Section: electronics" "Maintainer: " "libqt6widgets6" \
              "libqt6core6" "libc6" "libstdc++6" "qt6-qpa-plugins" "Description: configuration tool"; do
    grep -qF "$want" <<<"$fields" || fail "package field missing: $want in $fields"
  done
  dpkg-deb -x "$deb" "$scratch/root"
  check_programs "$scratch/root/usr" package
  echo "package $(basename "$deb"): $(du -k "$deb" | cut -f1) KiB"
fi

echo "installation checks passed"
