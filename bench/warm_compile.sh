#!/usr/bin/env bash
# Times the compile F6 starts (javac.pif running javac.bat) through the warm
# compile service against a bare javac of the same 40-line applet, several
# rounds each, and prints the medians, their ratio, the first compile after
# the service started and the service's resident size, also at the peak of
# fifty pairs of compiles side by side and a quiet minute after. Run by hand:
# bench/warm_compile.sh [BUILD_DIR] [ROUNDS]
set -euo pipefail
build=$(cd "${1:-build}" && pwd)
rounds=${2:-10}
bin=$build/java/bin
work=$(mktemp -d)
cleanup() {
    exec 3>&- || true
    wait || true
    rm -rf "$work"
}
trap cleanup EXIT

export XDG_RUNTIME_DIR=$work/runtime
mkdir -m 700 "$XDG_RUNTIME_DIR" "$XDG_RUNTIME_DIR/tzjava"
socket=$XDG_RUNTIME_DIR/tzjava/compile.sock
# The batch runs in a folder of its own, as a compile does: a working folder
# with classes or folders in it is left to the JDK's compiler.
batch=$work/batch
mkdir "$batch" "$work/src"
source=$work/src/Bench.java
{
    echo 'import java.applet.*;'
    echo 'import java.awt.*;'
    echo 'import java.awt.event.*;'
    echo 'public class Bench extends Applet implements ActionListener'
    echo '{'
    echo 'Button JButton0 = new Button("Press");'
    echo 'Label JLabel0 = new Label("Hello");'
    echo 'TextField JText0 = new TextField(20);'
    echo 'int count;'
    echo 'public void init()'
    echo '{'
    echo 'setLayout(null);'
    echo 'add(JButton0); JButton0.setBounds(10, 10, 65, 33);'
    echo 'add(JLabel0); JLabel0.setBounds(10, 60, 73, 25);'
    echo 'add(JText0); JText0.setBounds(10, 100, 120, 25);'
    echo 'JButton0.addActionListener(this);'
    echo '}'
    for i in 1 2 3 4; do
        echo "public int step$i(int x)"
        echo '{'
        echo "for (int k = 0; k < $i; k++) x = x * 31 + k;"
        echo 'return x;'
        echo '}'
    done
    echo 'public void actionPerformed(ActionEvent e)'
    echo '{'
    echo 'count = step1(step2(step3(step4(count))));'
    echo 'JLabel0.setText("Clicks: " + count);'
    echo '}'
    echo '}'
} > "$source"
printf ' \r\n' > "$batch/byt.txt"
printf '@echo off\r\njavac %%1 > res.txt\r\ncopy res.txt+byt.txt tst.txt\r\n' > "$batch/javac.bat"
cp "$bin/javac.pif" "$batch/javac.pif"
ln -s "$bin/javac" "$batch/javac"

now() { date +%s%N; }
# Median of the rounds in milliseconds.
source "$(dirname "$0")/median.sh"
time_rounds() {
    for ((i = 0; i < rounds; i++)); do
        start=$(now)
        "$@" > /dev/null 2>&1
        echo $((($(now) - start) / 1000000))
    done
}
compile() { (cd "$batch" && ./javac.pif "$source") && [ "$(cat "$batch/tst.txt")" = "$(printf ' \r')" ]; }

# The service ends when this script's end of the pipe closes.
mkfifo "$work/pipe"
"$bin/compileservice" "$socket" < "$work/pipe" &
service=$!
exec 3> "$work/pipe"
until java -cp "$bin/compileservice.jar" CompileService --status "$socket" > /dev/null 2>&1; do sleep 0.2; done
# The first F6 comes a few seconds after the program (and its service) started.
sleep 5
start=$(now)
compile
first=$((($(now) - start) / 1000000))
for _ in 1 2 3 4 5; do compile; done

bare=$(time_rounds javac "$source" | median)
warm=$(time_rounds compile | median)
echo "bare javac:           ${bare} ms (median of $rounds)"
echo "F6 batch via service: ${warm} ms (median of $rounds)"
echo "first F6 after start: ${first} ms"
awk -v f="$first" -v b="$bare" 'BEGIN { printf "first F6 ratio:       %.3f\n", f / b }'
awk -v w="$warm" -v b="$bare" 'BEGIN { printf "ratio:                %.3f\n", w / b }'
echo "service resident size: $(ps -o rss= -p "$service" | tr -d ' ') KiB"
java -cp "$bin/compileservice.jar" CompileService --status "$socket"

# Two compiles at a time, each from an empty folder of its own as F6 runs them.
for side in 1 2; do mkdir "$work/side$side"; done
peak=0
for ((i = 0; i < 50; i++)); do
    (cd "$work/side1" && "$bin/javac" "$source" > /dev/null 2>&1) &
    first_side=$!
    (cd "$work/side2" && "$bin/javac" "$source" > /dev/null 2>&1) &
    wait $first_side $!
    rss=$(ps -o rss= -p "$service")
    ((rss > peak)) && peak=$rss
done
sleep 60
echo "resident after 100 compiles two at a time: peak ${peak} KiB, a minute later $(ps -o rss= -p "$service" | tr -d ' ') KiB"
