#!/usr/bin/env bash
# The Debian package made by CPack from this build tree, and the program run
# as installed from it.
# Usage: package_test.sh build|contents|installed PACKAGE_DIR SOURCE_DIR
#   build      makes PACKAGE_DIR/loto7kazoria_<version>_<arch>.deb (cpack: $CPACK)
#   contents   lists the package and checks its files, fields and lintian
#   installed  runs the program from the unpacked package, as the menu does
set -euo pipefail
mode=$1 packages=$2 source=$3

fail() { echo "FAIL: $*" >&2; exit 1; }

if [ "$mode" = build ]; then
  rm -rf "$packages"
  "${CPACK:-cpack}" -G DEB -B "$packages"
  exit 0
fi

debs=("$packages"/loto7kazoria_*.deb)
[ ${#debs[@]} -eq 1 ] && [ -f "${debs[0]}" ] || fail "expected one package in $packages: ${debs[*]}"
deb=${debs[0]}
tmp=$(mktemp -d)
trap 'chmod -R u+w "$tmp"; rm -rf "$tmp"' EXIT
dpkg-deb -x "$deb" "$tmp/root"
program="$tmp/root/usr/bin/loto7kazoria"

if [ "$mode" = contents ]; then
  dpkg-deb -c "$deb"
  listing=$(dpkg-deb -c "$deb" | awk '{print $NF}')
  for path in ./usr/bin/loto7kazoria \
              ./usr/share/loto7kazoria/ロト7カゾリアL.chm \
              ./usr/share/loto7kazoria/loto7-history.csv \
              ./usr/share/applications/loto7kazoria.desktop \
              ./usr/share/icons/hicolor/scalable/apps/loto7kazoria.svg \
              ./usr/share/man/man1/loto7kazoria.1.gz \
              ./usr/share/doc/loto7kazoria/copyright \
              ./usr/share/doc/loto7kazoria/changelog.gz; do
    grep -qxF "$path" <<<"$listing" || fail "the package lacks $path"
  done
  cmp "$source/data/loto7-history.csv" "$tmp/root/usr/share/loto7kazoria/loto7-history.csv"
  file "$program" | grep -q ', stripped' || fail "the program is not stripped: $(file "$program")"
  # The library of charts and printing, loaded on first use, in a folder of
  # the program's own.
  ondemand=$(grep -E '^\./usr/lib/(.*/)?loto7kazoria/libloto7ondemand\.so$' <<<"$listing" || true)
  [ "$(wc -w <<<"$ondemand")" -eq 1 ] || fail "expected one libloto7ondemand.so in the package: $ondemand"
  file -L "$tmp/root/$ondemand" | grep -q ', stripped' || fail "libloto7ondemand.so is not stripped"

  depends=$(dpkg-deb -f "$deb" Depends)
  for package in fonts-noto-cjk qt6-translations-l10n libqt6widgets6 libsqlcipher0 \
                 libqt6charts6 libqt6printsupport6; do
    grep -qE "(^|, )$package( |,|$)" <<<"$depends" || fail "Depends lacks $package: $depends"
  done
  version=$(dpkg-deb -f "$deb" Version)
  said=$("$program" --version)
  [ "$said" = "ロト7カゾリアLite $version" ] || fail "--version says '$said', the package is $version"

  # Every command and option of the usage text is in the manual page.
  man=$(zcat "$tmp/root/usr/share/man/man1/loto7kazoria.1.gz" | sed 's/\\-/-/g')
  usage=$(HOME="$tmp" XDG_DATA_HOME="$tmp" "$program" --help)
  words=$( (grep -oE -- '--[a-z-]+' <<<"$usage"; grep -oE 'loto7kazoria [a-z]+' <<<"$usage" | cut -d' ' -f2) | sort -u)
  [ -n "$words" ] || fail "no usage text"
  for word in $words; do
    grep -qE -- "(^|[^a-z-])$word([^a-z-]|$)" <<<"$man" || fail "the manual page lacks $word"
  done

  lintian --fail-on error "$deb"
  exit 0
fi

[ "$mode" = installed ] || fail "unknown mode $mode"
# usr/bin as a user finds it: not writable.  An unprivileged user runs the
# program; the superuser cannot show that.
chmod a-w "$tmp/root/usr/bin"
chmod 755 "$tmp"
mkdir "$tmp/home"
as_user=()
if [ "$(id -u)" -eq 0 ]; then
  command -v setpriv >/dev/null || fail "running as root, setpriv is needed to start the program as nobody"
  chown 65534:65534 "$tmp/home"
  as_user=(setpriv --reuid=65534 --regid=65534 --clear-groups)
  "${as_user[@]}" test -x "$program" -a -w "$tmp/home" ||
    fail "the unpacked package in $tmp is not reachable by nobody (TMPDIR=${TMPDIR:-})"
fi

# The menu entry's command line, plus --quit-when-ready.
read -r -a menu <<<"$(sed -n 's/^Exec=//p' "$tmp/root/usr/share/applications/loto7kazoria.desktop")"
[ "${menu[0]:-}" = loto7kazoria ] || fail "the menu entry runs '${menu[*]}'"
start() {  # start HOME [XDG_DATA_HOME [ARGUMENT…]]: status and standard error in $tmp/err
  local home=$1
  local vars=(-u XDG_DATA_HOME HOME="$home" QT_QPA_PLATFORM=offscreen)
  [ -z "${2:-}" ] || vars+=(XDG_DATA_HOME="$2")
  (cd "$home" && "${run_as[@]}" env "${vars[@]}" \
     "$tmp/root/usr/bin/${menu[0]}" "${menu[@]:1}" "${@:3}" --quit-when-ready) 2>"$tmp/err"
}
draws=$(($(wc -l <"$source/data/loto7-history.csv") - 1))
seeded="付属の当選データ ${draws}回分を登録しました"

run_as=("${as_user[@]}")
data="$tmp/home/data/loto7kazoria"
start "$tmp/home" "$tmp/home/data" || fail "first start: status $?: $(cat "$tmp/err")"
grep -qF "$seeded" "$tmp/err" || fail "first start did not say it made the database: $(cat "$tmp/err")"
[ -f "$data/Loto7Kazoria.mdb" ] || fail "no database in $data: $(ls -R "$tmp/home")"
[ -f "$data/ロト7カゾリア.ini" ] || fail "the options file is not beside the database: $(ls -R "$tmp/home")"
cp "$data/Loto7Kazoria.mdb" "$tmp/first.mdb"
start "$tmp/home" "$tmp/home/data" || fail "second start: status $?: $(cat "$tmp/err")"
! grep -qF "付属の当選データ" "$tmp/err" || fail "second start made the database again: $(cat "$tmp/err")"
cmp "$tmp/first.mdb" "$data/Loto7Kazoria.mdb" || fail "second start changed the database"
# The windows with charts find the installed libloto7ondemand.so.
start "$tmp/home" "$tmp/home/data" --open 予想の検証 --open 乱数性の検定 ||
  fail "start with the chart windows: status $?: $(cat "$tmp/err")"
! grep -qF "グラフの部品" "$tmp/err" || fail "the installed program lacks its charts: $(cat "$tmp/err")"

if [ "$(id -u)" -eq 0 ]; then
  # The superuser may write usr/bin (mode 755, as /usr/bin), yet the
  # installed program keeps its database in root's data folder too.
  chmod 755 "$tmp/root/usr/bin"
  run_as=()
  mkdir "$tmp/roothome"
  start "$tmp/roothome" || fail "start as root: status $?: $(cat "$tmp/err")"
  [ -f "$tmp/roothome/.local/share/loto7kazoria/Loto7Kazoria.mdb" ] ||
    fail "root's database is not in ~/.local/share/loto7kazoria: $(cat "$tmp/err")"
  [ "$(ls "$tmp/root/usr/bin")" = loto7kazoria ] || fail "root wrote into usr/bin: $(ls "$tmp/root/usr/bin")"
else
  echo "Not run as root: the superuser's start is not checked."
fi
echo "The installed program made its database once, in $data."
