#!/usr/bin/env bash
# Installs the program into a temporary DESTDIR and checks it as a user would
# meet it: the installed tree, its desktop files, an unprivileged user's batch
# runs and a start through the menu entry, root's runs, a plain install's
# caches, and the Debian package as Debian's tools judge it.
# Usage: check_install.sh BUILD_DIR SOURCE_DIR
set -euo pipefail
build=$(cd "$1" && pwd)
source_dir=$(cd "$2" && pwd)
work=$(mktemp -d)
xvfb_pid=
cleanup() {
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
chmod 755 "$work"

stage=$work/stage
DESTDIR=$stage cmake --install "$build" --prefix /usr >/dev/null
prefix=$stage/usr

# Every file, and nothing else.
expected=$(sort <<'LIST'
bin/tzjava
lib/tarvelo-zuva/TARJAVA.HLP
lib/tarvelo-zuva/ext.pif
lib/tarvelo-zuva/java/bin/appletviewer
lib/tarvelo-zuva/java/bin/appletviewer.jar
lib/tarvelo-zuva/java/bin/compileservice
lib/tarvelo-zuva/java/bin/compileservice.jar
lib/tarvelo-zuva/java/bin/jar
lib/tarvelo-zuva/java/bin/javac
lib/tarvelo-zuva/java/bin/javac.pif
lib/tarvelo-zuva/tzjava
share/applications/org.tarvelo.zuva.desktop
share/doc/tarvelo-zuva/changelog.gz
share/doc/tarvelo-zuva/copyright
share/lintian/overrides/tarvelo-zuva
share/icons/hicolor/256x256/apps/org.tarvelo.zuva.png
share/icons/hicolor/256x256/mimetypes/application-x-tarvelo-project.png
share/icons/hicolor/48x48/apps/org.tarvelo.zuva.png
share/icons/hicolor/48x48/mimetypes/application-x-tarvelo-project.png
share/icons/hicolor/scalable/apps/org.tarvelo.zuva.svg
share/icons/hicolor/scalable/mimetypes/application-x-tarvelo-project.svg
share/man/man1/tzjava.1.gz
share/metainfo/org.tarvelo.zuva.metainfo.xml
share/mime/packages/org.tarvelo.zuva.xml
share/tarvelo-zuva/TARJAVA.HLP
share/tarvelo-zuva/appletviewer.jar
share/tarvelo-zuva/compileservice.jar
LIST
)
actual=$(cd "$prefix" && find . \( -type f -o -type l \) | sed 's|^\./||' | sort)
[ "$(cd "$stage" && ls)" = usr ] || fail "files outside the prefix: $(cd "$stage" && ls)"
diff <(echo "$expected") <(echo "$actual") || fail "installed tree differs from the expected list"
[ "$(readlink -f "$prefix/bin/tzjava")" = "$prefix/lib/tarvelo-zuva/tzjava" ] || fail "bin/tzjava does not lead to the program folder"

desktop-file-validate "$prefix/share/applications/org.tarvelo.zuva.desktop"
appstreamcli validate --no-net --pedantic "$prefix/share/metainfo/org.tarvelo.zuva.metainfo.xml" >/dev/null
mime=$work/mime
mkdir -p "$mime/packages" && cp "$prefix/share/mime/packages/org.tarvelo.zuva.xml" "$mime/packages/"
update-mime-database "$mime" >/dev/null 2>&1
grep -q 'application/x-tarvelo-project:\*\.tzp' "$mime/globs2" || fail "*.tzp is not registered"
grep -q 'application/x-tarvelo-project' "$mime/magic" || fail "no magic match for projects"
man -l "$prefix/share/man/man1/tzjava.1.gz" 2>/dev/null | grep -q -- '--compile' || fail "manual page"
mandoc -Tlint "$prefix/share/man/man1/tzjava.1.gz" || fail "mandoc finds faults in the manual page"

# A plain install (no DESTDIR) registers the .tzp type and the menu entry at once.
plain=$work/plain
cmake --install "$build" --prefix "$plain" >/dev/null
grep -q 'application/x-tarvelo-project:\*\.tzp' "$plain/share/mime/globs2" ||
  fail "a plain install leaves the MIME cache stale"
grep -q '^application/x-tarvelo-project=org.tarvelo.zuva.desktop' \
  "$plain/share/applications/mimeinfo.cache" || fail "a plain install leaves the desktop cache stale"

# An ordinary user: batch runs from any folder, nothing written into the
# installed tree, settings in that user's home.
user=nobody
home=$work/home
mkdir -p "$home" "$work/in" "$work/my project"
cat >"$work/in/Hello.java" <<'JAVA'
import java.applet.*;
import java.awt.*;

public class Hello extends Applet {
    public void init() {
        setBackground(Color.white);
    }
}
JAVA
chown -R "$user" "$home" "$work/in" "$work/my project"
tree_before=$(cd "$stage" && find . -printf '%p %s %T@ %m\n' | sort)
as_user() {
  (cd "$home" && setpriv --reuid="$user" --regid=nogroup --clear-groups \
     env -i HOME="$home" PATH="$prefix/bin:/usr/bin:/bin" ${DISPLAY:+DISPLAY=$DISPLAY} "$@")
}
as_user tzjava --import-java "$work/in/Hello.java" "$work/my project/hello.tzp" ||
  fail "import as $user"
as_user tzjava --export-java "$work/my project/hello.tzp" "$work/in/Out.java" ||
  fail "export as $user"
as_user tzjava --compile "$work/my project/hello.tzp" || fail "compile as $user"
[ -f "$work/my project/Hello.class" ] || fail "the compile wrote no class file"

# The shown window whose title matches $1, waited for.
window_named() {
  local found
  for _ in $(seq 300); do
    found=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n 1)
    [ -n "$found" ] && { echo "$found"; return; }
    sleep 0.1
  done
}

# The menu entry's command, with a project whose path holds blanks; the
# window names the project, and closing it writes the user's settings.
display_file=$work/display
Xvfb -displayfd 3 -ac -screen 0 1280x1024x24 3>"$display_file" 2>/dev/null &
xvfb_pid=$!
for _ in $(seq 100); do [ -s "$display_file" ] && break; sleep 0.1; done
export DISPLAY=:$(cat "$display_file")
exec_line=$(sed -n 's/^Exec=//p' "$prefix/share/applications/org.tarvelo.zuva.desktop")
quoted=$(printf '%q' "$work/my project/hello.tzp")
as_user sh -c "${exec_line//%f/$quoted}" &
gui_pid=$!
window=$(window_named 'hello\.tzp')
[ -n "$window" ] || fail "no window names the project opened through the menu entry"
# Task bars show the program's icon on each of its windows.
shown=$(xdotool search --onlyvisible --classname tzjava)
[ "$(wc -w <<<"$shown")" -ge 4 ] || fail "the program shows fewer than four windows"
for each in $shown; do
  [[ $(xprop -id "$each" _NET_WM_ICON) == "_NET_WM_ICON(CARDINAL) = "* ]] ||
    fail "window $(xdotool getwindowname "$each") carries no icon"
done
xdotool windowfocus --sync "$window" key ctrl+q
for _ in $(seq 300); do kill -0 "$gui_pid" 2>/dev/null || break; sleep 0.1; done
kill -0 "$gui_pid" 2>/dev/null && fail "Ctrl+Q did not end the program"
[ -f "$home/.config/Tarvelo Zuva/tarjava.ini" ] || fail "the settings are not in the user's home"

# Root may write the installed folders, and still finds them no place for
# its files: it keeps its settings at home and leaves nothing else behind,
# no service lock, no empty cache or runtime folder.
root=$work/root
mkdir -p "$root/home" "$root/tmp" && mkdir -m 700 "$root/run"
as_root() {
  (cd "$root/home" && env -i HOME="$root/home" TMPDIR="$root/tmp" PATH="$prefix/bin:/usr/bin:/bin" \
     DISPLAY="$DISPLAY" "$@")
}
as_root tzjava --compile "$work/my project/hello.tzp" >/dev/null || fail "compile as root"
as_root env XDG_RUNTIME_DIR="$root/run" tzjava "$work/my project/hello.tzp" &
gui_pid=$!
for _ in $(seq 600); do [ -S "$root/run/tzjava/compile.sock" ] && break; sleep 0.1; done
[ -S "$root/run/tzjava/compile.sock" ] || fail "the program run by root starts no warm compiler"
window=$(window_named 'hello\.tzp')
[ -n "$window" ] || fail "the program run by root shows no window"
xdotool windowfocus --sync "$window" key ctrl+q
wait "$gui_pid" || fail "the program run by root ended with $?"
left=$(cd "$root" && find . -mindepth 1 | sort | tr '\n' ' ')
[ "$left" = "./home ./home/.config ./home/.config/Tarvelo Zuva ./home/.config/Tarvelo Zuva/tarjava.ini ./run ./tmp " ] ||
  fail "root's runs left: $left"
tree_after=$(cd "$stage" && find . -printf '%p %s %T@ %m\n' | sort)
[ "$tree_before" = "$tree_after" ] || fail "the runs changed the installed tree"

# The Debian package: its files, no path of this machine, hardened binaries,
# an honest size, no lintian error or warning, the same bytes when made again.
(cd "$build" && cpack -G DEB >/dev/null)
deb=$(ls -t "$build"/tarvelo-zuva_*.deb | head -n 1)
cp "$deb" "$work/first.deb"
(cd "$build" && cpack -G DEB >/dev/null)
cmp "$work/first.deb" "$deb" || fail "two packages of one build differ"
listing=$(dpkg-deb -c "$deb")
grep -q ' ./usr/bin/tzjava -> ../lib/tarvelo-zuva/tzjava$' <<<"$listing" || fail "package lacks bin/tzjava"
grep -q ' ./usr/lib/tarvelo-zuva/java/bin/javac$' <<<"$listing" || fail "package lacks the Java layer"
depends=$(dpkg-deb -f "$deb" Depends)
grep -q 'openjdk-17-jdk | default-jdk' <<<"$depends" || fail "package Depends: $depends"
[ "$(dpkg-deb -f "$deb" Suggests)" = "xterm | x-terminal-emulator" ] || fail "package suggests no terminal"
dated=$(date -u -d "@${SOURCE_DATE_EPOCH:-$(git -C "$source_dir" log -1 --format=%ct)}" '+%F %T')
if dpkg-deb --fsys-tarfile "$deb" | TZ=UTC tar -tv --full-time | grep -v -F " $dated "; then
  fail "package entries dated otherwise than SOURCE_DATE_EPOCH"; fi
dpkg-deb -x "$deb" "$work/deb"
if grep -r -l -F -e "$build" -e "$source_dir" "$work/deb"; then fail "the package holds this machine's paths"; fi
# As dpkg-gencontrol counts: each file in whole KiB, 1 KiB for each link and folder.
counted=$(find "$work/deb" -printf '%y %s\n' | awk '{ n += ($1 == "f") ? int(($2 + 1023) / 1024) : 1 } END { print n }')
stated=$(dpkg-deb -f "$deb" Installed-Size)
[ $((stated * 10)) -ge $((counted * 9)) ] && [ $((stated * 10)) -le $((counted * 11)) ] ||
  fail "Installed-Size is $stated KiB, the files take $counted KiB"
# The package's every ELF file, as the list above has it.
for elf in tzjava ext.pif java/bin/javac java/bin/javac.pif; do
  hardening-check "$work/deb/usr/lib/tarvelo-zuva/$elf" || fail "$elf is not hardened"
done
lintian --tag-display-limit 0 "$deb" | tee "$work/lintian.txt"
if grep -q '^[EW]:' "$work/lintian.txt"; then fail "lintian errors or warnings"; fi
echo "install check passed"
