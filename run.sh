#!/usr/bin/env bash
echo "Zelt GUI is not built yet: only the serial library exists so far." >&2
exit 1
