#!/usr/bin/env bash
# Starts the print server when it is not running and makes a cups-pdf queue the
# default printer, so the printing tests have a real printer to print to.
# Prints the reason and exits non-zero when that is not possible here.
set -u
command -v cupsd >/dev/null || { echo "printer setup: cupsd is not installed"; exit 1; }
if ! lpstat -r 2>/dev/null | grep -q "is running"; then
    mkdir -p /run/cups
    cupsd >/dev/null 2>&1 || { echo "printer setup: cupsd could not be started"; exit 1; }
    for _ in $(seq 1 50); do lpstat -r 2>/dev/null | grep -q "is running" && break; sleep 0.1; done
fi
lpstat -r 2>/dev/null | grep -q "is running" || { echo "printer setup: cupsd is not answering"; exit 1; }
if ! lpstat -p PDF >/dev/null 2>&1; then
    ppd=$(lpinfo -m 2>/dev/null | awk '/CUPS-PDF/ {print $1; exit}')
    lpadmin -p PDF -v cups-pdf:/ -E ${ppd:+-m "$ppd"} >/dev/null 2>&1 \
        || { echo "printer setup: the cups-pdf queue could not be added"; exit 1; }
fi
# A queue left stopped or rejecting jobs by an earlier run takes jobs again.
cupsenable PDF >/dev/null 2>&1
cupsaccept PDF >/dev/null 2>&1
lpadmin -d PDF >/dev/null 2>&1 || { echo "printer setup: PDF could not be made the default"; exit 1; }
exit 0
