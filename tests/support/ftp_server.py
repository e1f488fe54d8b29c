#!/usr/bin/env python3
"""A pyftpdlib server on a free loopback port for the FTP tests.

Prints the port on the first line of stdout, then serves until stdin closes
(the test program went away) or it is killed. Modes that misbehave on
purpose: --stall-retr (the server freezes after the first chunk of a
download), --die-stor N (the server dies once N bytes of an upload arrived),
--no-rename-perm (RNFR refused), --no-rnfr (RNFR unknown), --no-rename-over
(RNTO refused when the target exists), --size-offset N (SIZE announces the
file's size plus N), --drip-retr SECONDS (a download sends one byte each
SECONDS), --tls (AUTH TLS required; a self-signed certificate for 127.0.0.1 is
written to ROOT/../cert.pem).
"""
import argparse
import os
import sys
import threading
import time

from pyftpdlib.authorizers import DummyAuthorizer
from pyftpdlib.handlers import DTPHandler, FTPHandler, FileProducer
from pyftpdlib.servers import FTPServer


def make_certificate(path):
    from OpenSSL import crypto
    key = crypto.PKey()
    key.generate_key(crypto.TYPE_RSA, 2048)
    cert = crypto.X509()
    cert.get_subject().CN = "127.0.0.1"
    cert.set_serial_number(1)
    cert.gmtime_adj_notBefore(-60)
    cert.gmtime_adj_notAfter(24 * 3600)
    cert.set_issuer(cert.get_subject())
    cert.set_pubkey(key)
    cert.add_extensions([
        crypto.X509Extension(b"subjectAltName", False, b"IP:127.0.0.1"),
        crypto.X509Extension(b"basicConstraints", True, b"CA:TRUE"),
    ])
    cert.sign(key, "sha256")
    with open(path, "wb") as f:
        f.write(crypto.dump_certificate(crypto.FILETYPE_PEM, cert))
        f.write(crypto.dump_privatekey(crypto.FILETYPE_PEM, key))


def main():
    p = argparse.ArgumentParser()
    p.add_argument("--root", required=True)
    p.add_argument("--user", default="quill")
    p.add_argument("--password", default="secret")
    p.add_argument("--stall-retr", action="store_true")
    p.add_argument("--die-stor", type=int, default=0)
    p.add_argument("--no-rename-perm", action="store_true")
    p.add_argument("--no-rnfr", action="store_true")
    p.add_argument("--no-rename-over", action="store_true")
    p.add_argument("--size-offset", type=int, default=0)
    p.add_argument("--drip-retr", type=float, default=0)
    p.add_argument("--tls", action="store_true")
    a = p.parse_args()

    authorizer = DummyAuthorizer()
    perm = "elradwMT" if a.no_rename_perm else "elradfmwMT"
    authorizer.add_user(a.user, a.password, a.root, perm=perm)

    class StallingProducer(FileProducer):
        sent = 0

        def more(self):
            if self.sent:
                time.sleep(3600)
            self.sent += 1
            return FileProducer.more(self)

    class DrippingProducer(FileProducer):
        buffer_size = 1

        def more(self):
            time.sleep(a.drip_retr)
            return FileProducer.more(self)

    class DyingDTP(DTPHandler):
        def handle_read(self):
            DTPHandler.handle_read(self)
            if self.get_transmitted_bytes() >= a.die_stor:
                os._exit(3)

        handle_read_event = handle_read

    base = FTPHandler
    if a.tls:
        from pyftpdlib.handlers import TLS_FTPHandler
        base = TLS_FTPHandler
        cert = os.path.join(os.path.dirname(os.path.abspath(a.root)), "cert.pem")
        make_certificate(cert)
        base.certfile = cert
        base.tls_control_required = True
        base.tls_data_required = True

        # libcurl starts the data connection's handshake before the transfer
        # command, and pyftpdlib would close a data connection that is
        # readable that early.
        class TlsDtp(base.dtp_handler):
            def readable(self):
                if self._ssl_accepting and not self._ssl_established:
                    return True
                return base.dtp_handler.readable(self)

        base.dtp_handler = TlsDtp

    class Handler(base):
        def ftp_SIZE(self, path):
            if not a.size_offset:
                return base.ftp_SIZE(self, path)
            self.respond("213 %d" % (os.path.getsize(path) + a.size_offset))

        def ftp_RNTO(self, path):
            if a.no_rename_over and os.path.exists(path):
                self._rnfr = None
                self.respond("550 Will not overwrite an existing file.")
                return
            return base.ftp_RNTO(self, path)

    Handler.authorizer = authorizer
    Handler.auth_failed_timeout = 0.1
    Handler.banner = "test server ready"
    if a.die_stor:
        Handler.dtp_handler = DyingDTP
    if a.stall_retr:
        import pyftpdlib.handlers
        Handler.use_sendfile = False
        pyftpdlib.handlers.FileProducer = StallingProducer
    if a.drip_retr:
        import pyftpdlib.handlers
        Handler.use_sendfile = False
        pyftpdlib.handlers.FileProducer = DrippingProducer
    if a.no_rnfr:
        Handler.proto_cmds = {k: v for k, v in base.proto_cmds.items() if k not in ("RNFR", "RNTO")}

    server = FTPServer(("127.0.0.1", 0), Handler)
    print(server.address[1], flush=True)

    def watch_stdin():
        while os.read(0, 4096):
            pass
        os._exit(0)

    threading.Thread(target=watch_stdin, daemon=True).start()
    server.serve_forever(timeout=0.2, handle_exit=False)


if __name__ == "__main__":
    main()
