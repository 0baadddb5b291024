#!/usr/bin/env bash
# Installs the program into a temporary DESTDIR and checks it as a user would
# meet it: the installed tree, its desktop files, an unprivileged user's batch
# runs and a start through the menu entry, and the Debian package.
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
share/icons/hicolor/256x256/apps/org.tarvelo.zuva.png
share/icons/hicolor/256x256/mimetypes/application-x-tarvelo-project.png
share/icons/hicolor/48x48/apps/org.tarvelo.zuva.png
share/icons/hicolor/48x48/mimetypes/application-x-tarvelo-project.png
share/icons/hicolor/scalable/apps/org.tarvelo.zuva.svg
share/icons/hicolor/scalable/mimetypes/application-x-tarvelo-project.svg
share/man/man1/tzjava.1.gz
share/metainfo/org.tarvelo.zuva.metainfo.xml
share/mime/packages/org.tarvelo.zuva.xml
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
window=
for _ in $(seq 300); do
  window=$(xdotool search --name 'hello\.tzp' 2>/dev/null | head -n 1) && [ -n "$window" ] && break
  sleep 0.1
done
[ -n "$window" ] || fail "no window names the project opened through the menu entry"
xdotool windowfocus --sync "$window" key ctrl+q
for _ in $(seq 300); do kill -0 "$gui_pid" 2>/dev/null || break; sleep 0.1; done
kill -0 "$gui_pid" 2>/dev/null && fail "Ctrl+Q did not end the program"
[ -f "$home/.config/Tarvelo Zuva/tarjava.ini" ] || fail "the settings are not in the user's home"
tree_after=$(cd "$stage" && find . -printf '%p %s %T@ %m\n' | sort)
[ "$tree_before" = "$tree_after" ] || fail "the runs changed the installed tree"

# The Debian package: its files, no path of this machine, no lintian error.
(cd "$build" && cpack -G DEB >/dev/null)
deb=$(ls -t "$build"/tarvelo-zuva_*.deb | head -n 1)
listing=$(dpkg-deb -c "$deb")
grep -q ' ./usr/bin/tzjava -> ../lib/tarvelo-zuva/tzjava$' <<<"$listing" || fail "package lacks bin/tzjava"
grep -q ' ./usr/lib/tarvelo-zuva/java/bin/javac$' <<<"$listing" || fail "package lacks the Java layer"
depends=$(dpkg-deb -f "$deb" Depends)
grep -q 'openjdk-17-jdk | default-jdk' <<<"$depends" || fail "package Depends: $depends"
dpkg-deb -x "$deb" "$work/deb"
if grep -r -l -F -e "$build" -e "$source_dir" "$work/deb"; then fail "the package holds this machine's paths"; fi
lintian --tag-display-limit 0 "$deb" | tee "$work/lintian.txt"
if grep -q '^E:' "$work/lintian.txt"; then fail "lintian errors"; fi
echo "install check passed"
