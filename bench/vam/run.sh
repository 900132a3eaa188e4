#!/usr/bin/env bash
# Runs the loans benchmark on SQLite and on a throwaway PostgreSQL server.
exec "$(dirname "$0")/../lists/run.sh" vam
