#!/usr/bin/env bash
# Sets up and starts Korvany DB Converter (the 64-bit Windows build) under Wine.
#
#   bash scripts/run.sh          your own Wine prefix ($WINEPREFIX, or ~/.wine);
#                                the database is <prefix>/drive_c/windows/CDPLAYER.INI
#   bash scripts/run.sh --demo   a throwaway prefix with a small sample database and
#                                a virtual CD, so a whole conversion works without a drive
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD

if [ -z "${DISPLAY:-}" ]; then
  echo "run.sh: no display (DISPLAY is not set). Start it from a desktop session," >&2
  echo "        or under a virtual one: xvfb-run -a bash scripts/run.sh --demo" >&2
  exit 1
fi

bash scripts/setup.sh
cmake --preset win64 >/dev/null
cmake --build --preset win64 --target KorvanyDBConverter virtual_cd >/dev/null

export LC_ALL=ja_JP.UTF-8 WINEDEBUG=-all  # code page 932 for the program's texts
wine=/usr/lib/wine/wine64
exe="$root/build/win64/KorvanyDBConverter.exe"

if [ "${1:-}" != "--demo" ]; then
  export WINEPREFIX="${WINEPREFIX:-$HOME/.wine}"
  echo "Database: $WINEPREFIX/drive_c/windows/CDPLAYER.INI"
  echo "A real CD drive: map it in 'winecfg' (Drives, type CD-ROM); the .KRV file is written to $PWD"
  exec "$wine" "$exe"
fi

demo=$(mktemp -d /tmp/korvany-demo.XXXXXX)
export WINEPREFIX="$demo/prefix"
mkdir -p "$demo/out"
echo "Demo: making a throwaway Wine prefix in $demo (this takes a moment)..."
"$wine" wineboot -i >/dev/null 2>&1 || true

# A few discs with Japanese titles, stored as code page 932 like the real CD Player's.
iconv -f UTF-8 -t CP932 > "$WINEPREFIX/drive_c/windows/CDPLAYER.INI" <<'INI'
[7A0B2C13]
EntryType=1
artist=山田花子
title=夏の思い出
numtracks=3
0=はじまりの歌
1=海辺にて
2=さよなら夏
[6F1D2E01]
EntryType=1
artist=Korvany Orchestra
title=冬のソナタ集
numtracks=2
0=雪の朝
1=White Night
[5C3A1B77]
EntryType=1
artist=佐藤一郎
title=ﾃﾞﾓ ﾃﾞｨｽｸ
numtracks=2
0=ﾄﾗｯｸ 1
1=ﾄﾗｯｸ 2
INI
sed -i 's/$/\r/' "$WINEPREFIX/drive_c/windows/CDPLAYER.INI"

# The virtual CD in the drive: 47 min 32 s 15 frames, so the disc number is 991279.
dll=$("$wine" winepath -w "$root/build/win64/tests/virtual_cd.dll" 2>/dev/null)
"$wine" reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\MCI' /v cdaudio /d "$dll" /f >/dev/null 2>&1
printf 'length 47 32 15\n' > "$demo/virtual_cd.txt"
export KORVANY_VIRTUAL_CD=$("$wine" winepath -w "$demo/virtual_cd.txt" 2>/dev/null)

echo "Pick a title, press コンバート, then 終　了."
(cd "$demo/out" && "$wine" "$exe") || true
for f in "$demo"/out/*.KRV; do
  [ -e "$f" ] || { echo "No disc list file was written."; break; }
  echo "== $(basename "$f") (shown in UTF-8):"
  iconv -f CP932 -t UTF-8 "$f"
done
echo "Demo files are in $demo"
