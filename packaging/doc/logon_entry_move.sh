#!/bin/sh
# preinst, postinst and postrm alike (the helper tells them apart by their arguments).
# The logon entry was velorine-autostart.desktop up to 2.0; systemd's autostart generator needs
# a name without a dash escape for the package's drop-in to reach its unit. An administrator's
# change to the old entry moves with it.
set -e
dpkg-maintscript-helper mv_conffile /etc/xdg/autostart/velorine-autostart.desktop \
  /etc/xdg/autostart/velorine.desktop 2.0-2~ velorine -- "$@"
