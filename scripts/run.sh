#!/usr/bin/env bash
# Sets up a fresh Debian 12 machine, builds the calculator (nothing else),
# and opens it.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup-debian.sh

# Without a display Qt aborts with a message that suggests reinstalling.
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
  cat >&2 <<'MESSAGE'
Corvanet 的窗口需要显示器：这个会话没有图形显示（DISPLAY 和 WAYLAND_DISPLAY 都没有设置）。
请在桌面会话中运行，或者用虚拟显示器运行：

    xvfb-run -a bash scripts/run.sh

Corvanet's window needs a display, and this session has none (neither DISPLAY nor WAYLAND_DISPLAY
is set). Run it from a desktop session, or under a virtual display as shown above.
MESSAGE
  exit 1
fi

cmake --preset default >/dev/null
cmake --build --preset default --target corvanet
exec build/app/corvanet "$@"
