#!/usr/bin/env bash
# make-sound-theme.sh FOLDER: the sound theme "English Female Voice" in FOLDER:
# one MP3 clip per event, spoken by espeak-ng and encoded by lame, and the
# "events" table (event number, tab, file name per line) that maps them.
set -euo pipefail
out=${1:?theme folder}
for tool in espeak-ng lame; do
  command -v "$tool" >/dev/null || { echo "make-sound-theme.sh: $tool is missing (tools/setup.sh installs it)" >&2; exit 1; }
done
mkdir -p "$out"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# event number | file name | spoken text. Events 51 to 66 are the user's own
# slots and stay empty.
cat >"$work/clips" <<'CLIPS'
0|welcome.mp3|Welcome to Zavotra.
1|cut.mp3|Cut
2|copy.mp3|Copy
3|paste.mp3|Paste
4|delete.mp3|Delete
5|undo.mp3|Undo
6|redo.mp3|Redo
7|new.mp3|New
8|open.mp3|Open
9|save.mp3|Save
10|print.mp3|Print
11|quit.mp3|Close
12|help.mp3|Help
13|show zavotra window.mp3|Zavotra
14|find.mp3|Find
15|show desktop.mp3|Desktop
16|select all.mp3|Select all
17|minimize.mp3|Minimize
18|maximize.mp3|Maximize
19|zoom in.mp3|Zoom in
20|zoom out.mp3|Zoom out
21|signature.mp3|Signature
22|address book.mp3|Address book
23|previous.mp3|Previous
24|next.mp3|Next
25|first.mp3|Top
26|last.mp3|Bottom
27|back.mp3|Back
28|forward.mp3|Forward
29|home.mp3|Home
30|up.mp3|Up
31|down.mp3|Down
32|go to website.mp3|Web site
33|launch application.mp3|Launching
34|refresh.mp3|Reload
35|search.mp3|Search
36|favorites.mp3|Favorites
37|history.mp3|History
38|channels.mp3|Channels
39|full screen.mp3|Full screen
40|mail.mp3|Mail
41|edit.mp3|Edit
42|stop.mp3|Stop
43|news.mp3|News
44|calendar.mp3|Calendar
45|phone.mp3|Phone
46|internet call.mp3|Internet call
47|recognized.mp3|OK
48|not recognized.mp3|Symbol not recognized.
49|smartupdate.mp3|Update
50|new plug-in.mp3|New plug-in installed.
67|bookmarks.mp3|Bookmarks
68|exit.mp3|Exit
69|highlight.mp3|Highlight
70|highlight and search.mp3|Highlight and search
71|log in.mp3|Log in
72|log off.mp3|Log off
73|log on.mp3|Log on
74|password.mp3|Password
75|select and search.mp3|Select and search
76|shortcut.mp3|Shortcut
77|sign in.mp3|Sign in
78|type text.mp3|Type text
CLIPS

# One clip: a female English voice, mono MP3 at 44.1 kHz.
speak() { # number file text
  espeak-ng -v en-us+f3 -s 165 -w "$work/$1.wav" "$3"
  lame --quiet -m m --resample 44.1 -b 48 "$work/$1.wav" "$out/$2"
}
export -f speak
export out work
IFS='|'
while read -r number file text; do printf '%s\0%s\0%s\0' "$number" "$file" "$text"; done <"$work/clips" |
  xargs -0 -n 3 -P 2 bash -c 'speak "$@"' _
: >"$out/events"
while read -r number file _; do printf '%s\t%s\r\n' "$number" "$file" >>"$out/events"; done <"$work/clips"
