#!/usr/bin/env python3
"""Loopback servers for the Kolvex tests: HTTP fixtures and SMTP servers of several kinds.

Usage: servery.py <output folder> <port base>
  base+0  HTTP: files below ./http, plus generated responses (/bajty/N, /chunked/N, /stall,
          /stall-hlavicky, /nekonecny, /preruseny) and files held on request (/zdrzet/...)
  base+1  SMTP without authentication; a recipient beginning with "odmitnout" is refused
  base+2  SMTP with AUTH LOGIN required (uzivatel / heslo)
  base+3  SMTP that refuses EHLO (HELO only)
  base+4  SMTP that greets and then never answers
Every message received is parsed with Python's email package and written below
<output folder>/prijate/<X-Kolvex-Test header>/ for the tests to compare.
"""
import email
import email.policy
import http.server
import os
import socket
import socketserver
import sys
import threading
import time

from aiosmtpd.controller import Controller
from aiosmtpd.smtp import SMTP, AuthResult, LoginPassword

SLOZKA_HTTP = os.path.join(os.path.dirname(os.path.abspath(__file__)), "http")


def vzor(n):
    return bytes((i * 7 + 3) % 251 for i in range(n))


# Held requests, by the test's token: the event that lets them go on, how many were held and
# whether the token's first request has come (only that one is held).
zdrzeni_zamek = threading.Lock()
zdrzeni = {}


def zdrzeni_tokenu(token):
    with zdrzeni_zamek:
        return zdrzeni.setdefault(token, {"pustit": threading.Event(), "drzeno": 0, "prvni": True})


class HttpObsluha(http.server.SimpleHTTPRequestHandler):
    protocol_version = "HTTP/1.1"

    def __init__(self, *args, **kwargs):
        super().__init__(*args, directory=SLOZKA_HTTP, **kwargs)

    def log_message(self, format, *args):
        pass

    def do_GET(self):
        casti = self.path.strip("/").split("/")
        try:
            if casti[0] == "bajty":
                data = vzor(int(casti[1]))
                self.send_response(200)
                self.send_header("Content-Type", "application/octet-stream")
                self.send_header("Content-Length", str(len(data)))
                self.end_headers()
                self.wfile.write(data)
                return
            if casti[0] == "chunked":
                data = vzor(int(casti[1]))
                self.send_response(200)
                self.send_header("Content-Type", "application/octet-stream")
                self.send_header("Transfer-Encoding", "chunked")
                self.end_headers()
                for i in range(0, len(data), 1000):
                    kus = data[i:i + 1000]
                    self.wfile.write(b"%x\r\n%s\r\n" % (len(kus), kus))
                self.wfile.write(b"0\r\n\r\n")
                return
            if casti[0] == "stall":
                self.send_response(200)
                self.send_header("Content-Length", "1000")
                self.end_headers()
                self.wfile.write(b"x" * 10)
                self.wfile.flush()
                time.sleep(60)
                return
            if casti[0] in ("velka-verze", "dlouha-verze", "kapajici-verze"):
                # update files that are not: 10 MB, a long "version", one that never ends
                if casti[0] == "kapajici-verze":
                    self.send_response(200)
                    self.send_header("Content-Length", "1000")
                    self.end_headers()
                    try:
                        self.wfile.write(b"posledniVerze")
                        for _ in range(1000):
                            self.wfile.flush()
                            time.sleep(1)
                            self.wfile.write(b"5")
                    except OSError:
                        pass
                    return
                if casti[0] == "velka-verze":
                    data = b"posledniVerze" + b"5.0.1.2 " * (10 * 1024 * 1024 // 8)
                else:
                    data = b"posledniVerze" + b"5" * 2000
                self.send_response(200)
                self.send_header("Content-Length", str(len(data)))
                self.end_headers()
                try:
                    self.wfile.write(data)
                except OSError:
                    pass
                return
            if casti[0] == "dokola":
                # a redirect to itself, for ever
                self.send_response(301)
                self.send_header("Location", self.path)
                self.send_header("Content-Length", "0")
                self.end_headers()
                return
            if casti[0] == "presmerovat":
                n = int(casti[1])
                if n > 0:
                    self.send_response(302)
                    self.send_header("Location", "/presmerovat/%d" % (n - 1))
                    self.send_header("Content-Length", "0")
                    self.end_headers()
                    return
                data = b"cil presmerovani"
                self.send_response(200)
                self.send_header("Content-Length", str(len(data)))
                self.end_headers()
                self.wfile.write(data)
                return
            if casti[0] == "kapky":
                # one byte now and then, never silent for long, never done
                self.send_response(200)
                self.send_header("Content-Length", "100000")
                self.end_headers()
                try:
                    for _ in range(100000):
                        self.wfile.write(b"k")
                        self.wfile.flush()
                        time.sleep(float(casti[1]) if len(casti) > 1 else 0.5)
                except OSError:
                    pass
                return
            if casti[0] == "zdrzet":
                # /zdrzet/<token>/<kde>/<konec>/<file path>: the file; the token's first request held
                # ("hlavicky": before anything is sent, "telo": after half of the body) until
                # /pustit/<token>; then "dokoncit" sends the rest, "prerusit" drops the connection
                token, kde, konec = casti[1], casti[2], casti[3]
                soubor = os.path.join(SLOZKA_HTTP, *casti[4:])
                if not os.path.isfile(soubor):
                    self.send_error(404)
                    return
                with open(soubor, "rb") as f:
                    data = f.read()
                stav = zdrzeni_tokenu(token)
                with zdrzeni_zamek:
                    drzet = stav["prvni"]
                    stav["prvni"] = False

                def cekat():
                    with zdrzeni_zamek:
                        stav["drzeno"] += 1
                    stav["pustit"].wait(60)

                try:
                    if drzet and kde == "hlavicky":
                        cekat()
                    self.send_response(200)
                    self.send_header("Content-Type", "application/octet-stream")
                    self.send_header("Content-Length", str(len(data)))
                    self.end_headers()
                    if not drzet:
                        self.wfile.write(data)
                        return
                    polovina = len(data) // 2
                    self.wfile.write(data[:polovina])
                    self.wfile.flush()
                    if kde == "telo":
                        cekat()
                    if konec == "dokoncit":
                        self.wfile.write(data[polovina:])
                        return
                    self.wfile.flush()
                    self.connection.shutdown(socket.SHUT_RDWR)
                    self.close_connection = True
                except OSError:
                    pass
                return
            if casti[0] == "pustit":
                zdrzeni_tokenu(casti[1])["pustit"].set()
                data = b"ok"
            elif casti[0] == "zdrzeno":
                stav = zdrzeni_tokenu(casti[1])
                with zdrzeni_zamek:
                    data = str(stav["drzeno"]).encode()
            if casti[0] in ("pustit", "zdrzeno"):
                self.send_response(200)
                self.send_header("Content-Type", "text/plain")
                self.send_header("Content-Length", str(len(data)))
                self.end_headers()
                self.wfile.write(data)
                return
            if casti[0] == "stall-hlavicky":
                time.sleep(60)
                return
            if casti[0] == "nekonecny":
                self.send_response(200)
                self.send_header("Transfer-Encoding", "chunked")
                self.end_headers()
                kus = b"y" * 65536
                try:
                    while True:
                        self.wfile.write(b"%x\r\n%s\r\n" % (len(kus), kus))
                except OSError:
                    pass
                return
            if casti[0] == "preruseny":
                self.send_response(200)
                self.send_header("Content-Length", "100000")
                self.end_headers()
                self.wfile.write(vzor(3000))
                self.wfile.flush()
                self.connection.shutdown(socket.SHUT_RDWR)
                self.close_connection = True
                return
        except (ValueError, IndexError):
            self.send_error(400)
            return
        super().do_GET()


class HttpServer(http.server.ThreadingHTTPServer):
    daemon_threads = True
    allow_reuse_address = True


# ---------------------------------------------------------------------------------------------

class Prijemce:
    def __init__(self, vystup):
        self.vystup = vystup

    async def handle_RCPT(self, server, session, envelope, address, rcpt_options):
        if address.lower().startswith("odmitnout"):
            return "550 5.1.1 Prijemce neexistuje"
        envelope.rcpt_tos.append(address)
        return "250 OK"

    async def handle_DATA(self, server, session, envelope):
        try:
            ulozit_zpravu(self.vystup, session, envelope)
        except Exception as chyba:  # the test then finds no result and fails
            print("chyba pri ukladani:", repr(chyba), file=sys.stderr, flush=True)
        return "250 Zprava prijata"


def zapsat(cesta, text):
    with open(cesta, "w", encoding="utf-8", newline="") as f:
        f.write(text)


def ulozit_zpravu(vystup, session, envelope):
    surova = envelope.original_content or envelope.content
    zprava = email.message_from_bytes(surova, policy=email.policy.default)
    nazev = str(zprava.get("X-Kolvex-Test", "bez-nazvu")).strip() or "bez-nazvu"
    slozka = os.path.join(vystup, "prijate", nazev)
    os.makedirs(slozka, exist_ok=True)
    for jmeno in os.listdir(slozka):
        os.remove(os.path.join(slozka, jmeno))
    with open(os.path.join(slozka, "surova.eml"), "wb") as f:
        f.write(surova)
    zapsat(os.path.join(slozka, "obalka.txt"),
           "MAIL FROM:%s\nRCPT TO:%s\nPOZDRAV:%s %s\nPRIHLASEN:%s\n" % (
               envelope.mail_from, ",".join(envelope.rcpt_tos),
               "EHLO" if session.extended_smtp else "HELO", session.host_name,
               session.auth_data.login.decode("latin-1") if session.authenticated else ""))
    zapsat(os.path.join(slozka, "predmet.txt"), str(zprava.get("Subject", "")))
    zapsat(os.path.join(slozka, "od.txt"), str(zprava.get("From", "")))
    zapsat(os.path.join(slozka, "komu.txt"), str(zprava.get("To", "")))
    struktura, defekty = [], []
    text_cislo = priloha_cislo = 0
    for cast in zprava.walk():
        druh = cast.get_content_type()
        defekty += [type(d).__name__ for d in cast.defects]
        radek = druh
        if not cast.is_multipart():
            radek += " " + str(cast.get("Content-Transfer-Encoding", "")).strip().lower()
        if cast.get_content_maintype() == "text":
            radek += " " + str(cast.get_content_charset())
        struktura.append(radek)
        if cast.is_multipart():
            continue
        if cast.get_content_disposition() in ("attachment", "inline") and cast.get_filename():
            zapsat(os.path.join(slozka, "priloha-%d.jmeno" % priloha_cislo), cast.get_filename())
            with open(os.path.join(slozka, "priloha-%d.data" % priloha_cislo), "wb") as f:
                f.write(cast.get_payload(decode=True))
            priloha_cislo += 1
        elif cast.get_content_maintype() == "text":
            zapsat(os.path.join(slozka, "text-%d.txt" % text_cislo), cast.get_content())
            text_cislo += 1
    zapsat(os.path.join(slozka, "struktura.txt"), "\n".join(struktura) + "\n")
    zapsat(os.path.join(slozka, "defekty.txt"), "\n".join(defekty))
    zapsat(os.path.join(slozka, "hotovo.txt"), "1")


def overit_prihlaseni(server, session, envelope, mechanism, auth_data):
    if isinstance(auth_data, LoginPassword) and auth_data.login == b"uzivatel" and auth_data.password == b"heslo":
        return AuthResult(success=True, auth_data=auth_data)
    return AuthResult(success=False, handled=False)


class SmtpBezEhlo(SMTP):
    async def smtp_EHLO(self, hostname):
        await self.push("502 5.5.1 EHLO neni podporovano")


class ControllerBezEhlo(Controller):
    def factory(self):
        return SmtpBezEhlo(self.handler, **self.SMTP_kwargs)


def tichy_server(port):
    class Tichy(socketserver.BaseRequestHandler):
        def handle(self):
            self.request.sendall(b"220 ticho ESMTP\r\n")
            time.sleep(60)

    class Server(socketserver.ThreadingTCPServer):
        daemon_threads = True
        allow_reuse_address = True

    s = Server(("127.0.0.1", port), Tichy)
    threading.Thread(target=s.serve_forever, daemon=True).start()


def main():
    vystup, zaklad = sys.argv[1], int(sys.argv[2])
    os.makedirs(os.path.join(vystup, "prijate"), exist_ok=True)
    http_server = HttpServer(("127.0.0.1", zaklad), HttpObsluha)
    threading.Thread(target=http_server.serve_forever, daemon=True).start()
    prijemce = Prijemce(vystup)
    ovladace = [
        Controller(prijemce, hostname="127.0.0.1", port=zaklad + 1),
        Controller(prijemce, hostname="127.0.0.1", port=zaklad + 2, authenticator=overit_prihlaseni,
                   auth_required=True, auth_require_tls=False),
        ControllerBezEhlo(prijemce, hostname="127.0.0.1", port=zaklad + 3),
    ]
    for o in ovladace:
        o.start()
    tichy_server(zaklad + 4)
    print("pripraveno", flush=True)
    try:
        while True:
            time.sleep(3600)
    finally:
        for o in ovladace:
            o.stop()


if __name__ == "__main__":
    main()
