#!/usr/bin/env bash
# Sets up a fresh Debian 12 machine (bash and apt are enough) and then does the work:
#
#   bash quickstart.sh demo    install what is missing, build, start the demo
#   bash quickstart.sh test    install what is missing, build, run every test
#                              (normal, sanitizer, Python and browser)
#
# As root it installs the missing packages; as another user it uses sudo when
# there is one, or names the packages to install and stops.
set -euo pipefail
cd "$(dirname "$0")"

case "${1:-}" in
demo) goal=run ;;
test) goal=test ;;
*)
    echo "usage: bash quickstart.sh demo|test" >&2
    exit 2
    ;;
esac

tools/install-deps.sh
exec make "$goal"
