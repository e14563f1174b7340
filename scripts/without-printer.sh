#!/bin/sh
# Runs a command while the PDF queue of scripts/test is removed, then puts the
# queue back as the default printer, whatever the command did.
#   SCRIVLET_PDF_DIR  the queue's PDF folder (set by scripts/test); unset: skip (77)
#   PDF_QUEUE         the queue's name (default: PDF)
set -u
[ -n "${SCRIVLET_PDF_DIR:-}" ] || { echo "no PDF printer was set up: skipped"; exit 77; }
[ "$(id -u)" = 0 ] || { echo "changing the printer queues needs root: skipped"; exit 77; }
queue=${PDF_QUEUE:-PDF}
here=$(cd "$(dirname "$0")" && pwd)
restore() {
  PDF_OUT=$SCRIVLET_PDF_DIR SKIP_APT=1 CUPSD_LOG=/dev/null CUPSD_PIDF=/dev/null \
    bash "$here/setup-cups-pdf.sh" >/dev/null 2>&1 || echo "could not restore the queue $queue" >&2
}
trap restore EXIT
lpadmin -x "$queue" || exit 1
"$@"
