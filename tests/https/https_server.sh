#!/usr/bin/env bash
# Starts or stops the updater tests' HTTPS server on 127.0.0.1.
#   https_server.sh start DIR   makes a test CA (once) and a certificate for localhost in
#                               DIR (keys live only there, never in the repository),
#                               serves DIR/www, and writes the port to DIR/port; a
#                               tunnelling proxy beside it writes DIR/proxy-port and
#                               logs each tunnel it opens in DIR/proxy.log
#   https_server.sh stop DIR    ends the server started for DIR
# The Windows tests import DIR/ca.der into their Wine prefix's root store only.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
action=$1
dir=$2

stop() {
  if [[ -f $dir/pid ]]; then
    kill "$(cat "$dir/pid")" 2>/dev/null || true
    rm -f "$dir/pid"
  fi
}

case $action in
  start)
    stop
    mkdir -p "$dir/www"
    rm -f "$dir/port" "$dir/proxy-port" "$dir/proxy.log"
    cd "$dir"
    # One CA per folder, kept for later runs: the Wine prefix beside it keeps trusting it, and
    # its own name, so that certificate chains never meet a CA of another folder by name.
    if [[ ! -f ca.pem || ! -f ca.key ]]; then
      openssl req -x509 -newkey rsa:2048 -nodes -days 3650 -subj "/CN=Mirefall Test CA $(openssl rand -hex 6)" \
        -addext "basicConstraints=critical,CA:TRUE" -addext "keyUsage=critical,keyCertSign,cRLSign" \
        -keyout ca.key -out ca.pem >/dev/null 2>&1
    fi
    openssl req -newkey rsa:2048 -nodes -subj "/CN=localhost" -keyout server.key -out server.csr >/dev/null 2>&1
    printf 'subjectAltName=DNS:localhost,IP:127.0.0.1\nextendedKeyUsage=serverAuth\nbasicConstraints=CA:FALSE\n' \
      >server.ext
    openssl x509 -req -in server.csr -CA ca.pem -CAkey ca.key -CAcreateserial -days 2 -extfile server.ext \
      -out server.pem >/dev/null 2>&1
    openssl x509 -in ca.pem -outform der -out ca.der
    /usr/bin/python3 "$here/https_server.py" --root "$dir/www" --cert server.pem --key server.key \
      --port-file "$dir/port" --proxy-port-file "$dir/proxy-port" --proxy-log "$dir/proxy.log" \
      >"$dir/server.log" 2>&1 </dev/null &
    echo $! >"$dir/pid"
    for _ in $(seq 100); do
      [[ -s $dir/port ]] && exit 0
      sleep 0.1
    done
    echo "the HTTPS test server did not start (see $dir/server.log)" >&2
    stop
    exit 1
    ;;
  stop)
    stop
    ;;
  *)
    echo "usage: $0 start|stop DIR" >&2
    exit 2
    ;;
esac
