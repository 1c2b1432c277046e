#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""FTP server for the publishing tests and the upload benchmark.

Serves one user account on 127.0.0.1 and prints the port it listens on once
it is ready. With --cert it offers explicit TLS (AUTH TLS); --strict-tls
then also refuses an upload whose data connection did not resume the
control connection's TLS session or did not end with a TLS close, and
--data-cert makes data connections present another certificate.
"""
import argparse
import os
import sys

from pyftpdlib.authorizers import DummyAuthorizer
from pyftpdlib.handlers import FTPHandler
from pyftpdlib.servers import FTPServer


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--port", type=int, default=0)
    parser.add_argument("--root", required=True)
    parser.add_argument("--user", required=True)
    parser.add_argument("--password", required=True)
    parser.add_argument("--no-password-user",
                        help="a second account logged in by USER alone")
    parser.add_argument("--cert", help="PEM file with certificate and key")
    parser.add_argument("--strict-tls", action="store_true")
    parser.add_argument("--data-cert",
                        help="PEM file with the certificate and key that data "
                             "connections present instead of --cert's")
    parser.add_argument("--banner", help="greeting text; \\n starts a line")
    parser.add_argument("--log", help="file that receives every command")
    parser.add_argument("--refuse", action="append", default=[],
                        help="file name whose STOR is answered 550")
    args = parser.parse_args()

    authorizer = DummyAuthorizer()
    authorizer.add_user(args.user, args.password, args.root, perm="elradfmwMT")
    if args.no_password_user:
        authorizer.add_user(args.no_password_user, "", args.root, perm="elradfmwMT")

    base = FTPHandler
    if args.cert:
        from OpenSSL import SSL
        from OpenSSL._util import lib as ssllib
        from pyftpdlib.handlers import TLS_DTPHandler, TLS_FTPHandler

        class StrictDTPHandler(TLS_DTPHandler):
            resumed = False
            checked = False

            def handle_ssl_established(self):
                self.resumed = bool(ssllib.SSL_session_reused(self.socket._ssl))

            # Every way a data connection ends passes here, a reset included.
            def close(self):
                if self.receive and not self.checked and isinstance(self.socket, SSL.Connection):
                    self.checked = True
                    problem = None
                    if not self.resumed:
                        problem = "TLS session not resumed on the data connection"
                    elif not self.socket.get_shutdown() & SSL.RECEIVED_SHUTDOWN:
                        problem = "data connection ended without a TLS close"
                    if problem:
                        self.transfer_finished = False
                        self._resp = ("426 " + problem + ".", lambda *a, **k: None)
                super().close()

        base = TLS_FTPHandler
        base.certfile = args.cert
        if args.strict_tls:
            base.dtp_handler = StrictDTPHandler
        if args.data_cert:
            data_context = SSL.Context(base.ssl_protocol)
            data_context.use_certificate_chain_file(args.data_cert)
            data_context.use_privatekey_file(args.data_cert)

            class OtherCertificateDTPHandler(base.dtp_handler):
                def secure_connection(self, ssl_context):
                    super().secure_connection(data_context)

            base.dtp_handler = OtherCertificateDTPHandler

    class Handler(base):
        def pre_process_command(self, line, cmd, arg):
            if args.log:
                with open(args.log, "a", encoding="utf-8") as log:
                    log.write(("PASS" if cmd == "PASS" else line) + "\n")
            super().pre_process_command(line, cmd, arg)

        def ftp_STOR(self, file, mode="w"):
            if os.path.basename(file) in args.refuse:
                self.respond("550 Refused by the test server.")
                return None
            return super().ftp_STOR(file, mode)

        def ftp_USER(self, line):
            if args.no_password_user and line == args.no_password_user \
                    and not self.authenticated:
                self.username = line
                home = self.authorizer.get_home_dir(line)
                self.handle_auth_success(home, "", "Logged in without password.")
                return
            super().ftp_USER(line)

    Handler.authorizer = authorizer
    if args.banner:
        Handler.banner = args.banner.replace("\\n", "\r\n")
    server = FTPServer(("127.0.0.1", args.port), Handler)
    print(server.address[1], flush=True)
    server.serve_forever(handle_exit=True)


if __name__ == "__main__":
    sys.exit(main())
