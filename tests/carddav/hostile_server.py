#!/usr/bin/env python3
"""A CardDAV server that misbehaves on purpose, for the tests: each path is one fault.

Usage: hostile_server.py PORT_FILE CERTIFICATE KEY
Listens on 127.0.0.1 at a free port over TLS, writes the port to PORT_FILE, serves until killed.
"""
import http.server
import os
import ssl
import sys
import time

CARD = ("BEGIN:VCARD\r\nVERSION:3.0\r\nUID:seul\r\nN:Seul;Jean;;;\r\n"
        "BDAY:1980-05-17\r\nEND:VCARD\r\n")


def multistatus(responses, token=""):
    sync = f"<d:sync-token>{token}</d:sync-token>" if token else ""
    return (f'<?xml version="1.0"?><d:multistatus xmlns:d="DAV:" '
            f'xmlns:c="urn:ietf:params:xml:ns:carddav">{"".join(responses)}{sync}'
            f'</d:multistatus>').encode()


def member(href, etag, data=None, collection=False):
    kind = "<d:collection/><c:addressbook/>" if collection else ""
    card = f"<c:address-data>{data}</c:address-data>" if data else ""
    return (f"<d:response><d:href>{href}</d:href><d:propstat><d:prop>"
            f"<d:resourcetype>{kind}</d:resourcetype><d:getetag>{etag}</d:getetag>{card}"
            f"</d:prop><d:status>HTTP/1.1 200 OK</d:status></d:propstat></d:response>")


class Handler(http.server.BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.1"
    disable_nagle_algorithm = True  # headers and body leave at once, as a real server sends them

    def log_message(self, *args):
        pass

    def do_PROPFIND(self):
        self.route()

    def do_REPORT(self):
        self.route()

    def answer(self, status, body=b"", headers=()):
        self.send_response(status)
        for name, value in headers:
            self.send_header(name, value)
        self.send_header("Content-Length", str(len(body)))
        self.end_headers()
        self.wfile.write(body)

    def stream(self, headers, chunk, delay=0.0, most=None):
        self.send_response(207)
        for name, value in headers:
            self.send_header(name, value)
        self.end_headers()
        sent = 0
        try:
            while most is None or sent < most:
                self.wfile.write(chunk)
                self.wfile.flush()
                sent += len(chunk)
                time.sleep(delay)
        except OSError:
            pass
        self.close_connection = True

    def route(self):
        request = self.rfile.read(int(self.headers.get("Content-Length", 0)))
        path = self.path
        if path.startswith("/malforme/"):
            self.answer(207, b'<?xml version="1.0"?><d:multistatus xmlns:d="DAV:"><d:response><d:href>/x</d:href>')
        elif path.startswith("/pas-xml/"):
            self.answer(207, b"<html><body>Bonjour</body></html>")
        elif path.startswith("/enorme/"):
            self.stream([("Content-Length", str(5 << 30))], b"\0" * 65536, most=64 << 20)
        elif path.startswith("/flot/"):
            self.stream([("Connection", "close")], b" " * 65536, most=64 << 20)
        elif path.startswith("/goutte/"):
            self.stream([("Content-Length", "100000")], b" ", delay=0.2)
        elif path.startswith("/boucle/"):
            self.answer(301, headers=[("Location", path)])
        elif path.startswith("/ailleurs/"):
            self.answer(302, headers=[("Location", f"https://localhost:{self.server.server_address[1]}/x/")])
        elif path.startswith("/vers-http/"):
            self.answer(301, headers=[("Location", f"http://127.0.0.1:{self.server.server_address[1]}/x/")])
        elif path.startswith("/statut/"):
            self.answer(int(path.split("/")[2]), b"<html>non</html>",
                        [("WWW-Authenticate", 'Basic realm="x"')] if path.startswith("/statut/401") else [])
        elif path.startswith("/ferme/"):
            self.close_connection = True
            self.connection.close()
        elif path.startswith("/trop-de-cartes/"):
            self.answer(207, multistatus(member(f"/trop-de-cartes/{i}.vcf", f'"{i}"') for i in range(50001)))
        elif path.startswith("/immobile/"):  # an empty book that never changes: the client's own cost
            self.answer(207, multistatus([], token="jeton-immobile"))
        elif path.startswith("/sans-sync/"):
            if b"sync-collection" in request:
                self.answer(501, b"<html>pas de rapport de synchronisation</html>")
            elif b"addressbook-multiget" in request:
                self.answer(207, multistatus([member("/sans-sync/seul.vcf", '"1"', CARD)]))
            elif self.headers.get("Depth") == "1":
                self.answer(207, multistatus([member("/sans-sync/", '"c"', collection=True),
                                              member("/sans-sync/seul.vcf", '"1"')]))
            else:
                self.answer(207, multistatus([member("/sans-sync/", '"c"', collection=True)]))
        else:
            self.answer(404)


def main():
    port_file, certificate, key = sys.argv[1:4]
    server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), Handler)
    server.daemon_threads = True
    context = ssl.SSLContext(ssl.PROTOCOL_TLS_SERVER)
    context.load_cert_chain(certificate, key)
    server.socket = context.wrap_socket(server.socket, server_side=True)
    with open(port_file + ".tmp", "w") as out:
        out.write(str(server.server_address[1]))
    os.rename(port_file + ".tmp", port_file)
    server.serve_forever()


if __name__ == "__main__":
    main()
