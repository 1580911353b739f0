#!/usr/bin/env bash
# The channel-list server of the soak test that resets every connection as
# soon as it accepts it (--misbehave refuse), started by
# tools/listserver/fixture.sh like the ordinary one. PELTORA_LISTSERVER
# names the server program; the fixture's arguments follow.
exec "$PELTORA_LISTSERVER" --misbehave refuse "$@"
