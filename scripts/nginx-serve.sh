#!/usr/bin/env bash
# Serves a folder with nginx on loopback, over HTTP and HTTPS (a self-signed
# certificate made on the spot), for the download tests and benchmarks.
# usage: nginx-serve.sh start ROOT HTTP_PORT HTTPS_PORT STATE_DIR
#        nginx-serve.sh stop STATE_DIR
set -euo pipefail
cmd=$1
case "$cmd" in
  start)
    root=$(cd "$2" && pwd); http=$3; https=$4; state=$5
    mkdir -p "$state"
    if [ ! -f "$state/cert.pem" ]; then
      openssl req -x509 -newkey rsa:2048 -nodes -days 2 -subj /CN=127.0.0.1 \
        -keyout "$state/key.pem" -out "$state/cert.pem" >/dev/null 2>&1
    fi
    # Workers read the served folder as the user who started nginx (tests run
    # as root on private temporary folders).
    user_line=""
    [ "$(id -u)" = 0 ] && user_line="user root;"
    cat > "$state/nginx.conf" <<CONF
$user_line
daemon on;
worker_processes 1;
pid $state/nginx.pid;
error_log $state/error.log warn;
events { worker_connections 64; }
http {
  access_log $state/access.log;
  client_body_temp_path $state/body;
  proxy_temp_path $state/proxy;
  fastcgi_temp_path $state/fastcgi;
  uwsgi_temp_path $state/uwsgi;
  scgi_temp_path $state/scgi;
  types { application/octet-stream bin exe; }
  default_type application/octet-stream;
  sendfile on;
  server {
    listen 127.0.0.1:$http;
    listen 127.0.0.1:$https ssl;
    ssl_certificate $state/cert.pem;
    ssl_certificate_key $state/key.pem;
    root $root;
  }
}
CONF
    nginx -c "$state/nginx.conf" -p "$state" -e "$state/error.log"
    ;;
  stop)
    state=$2
    if [ -f "$state/nginx.pid" ]; then
      kill "$(cat "$state/nginx.pid")" 2>/dev/null || true
      for _ in $(seq 50); do [ -f "$state/nginx.pid" ] || break; sleep 0.1; done
    fi
    ;;
  *) echo "usage: $0 start ROOT HTTP_PORT HTTPS_PORT STATE_DIR | stop STATE_DIR" >&2; exit 2 ;;
esac
