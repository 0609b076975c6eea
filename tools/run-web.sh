#!/usr/bin/env bash
# Installs what is missing, builds the browser version (a static site in build/web/site) and
# serves it on this computer. Open the address it prints; after one visit the page works offline
# and the browser offers to install it as an app.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

bash tools/install-packages.sh
bash tools/install-packages.sh tools/web-packages.txt
echo "== Build"
cmake --preset web >/dev/null
cmake --build --preset web --parallel "$(nproc)"
echo "== Serving the cards on http://127.0.0.1:8080/ (Ctrl+C stops)"
exec python3 - build/web/site <<'SERVER'
import functools, http.server, sys
http.server.SimpleHTTPRequestHandler.extensions_map.update(
    {".wasm": "application/wasm", ".webmanifest": "application/manifest+json",
     ".js": "text/javascript"})
handler = functools.partial(http.server.SimpleHTTPRequestHandler, directory=sys.argv[1])
try:
    http.server.ThreadingHTTPServer(("127.0.0.1", 8080), handler).serve_forever()
except KeyboardInterrupt:
    pass
SERVER
