#!/usr/bin/env python3
"""Loopback servers for the Kolvex tests: HTTP fixtures and SMTP servers of several kinds.

Usage: servery.py <output folder> <port base>
  base+0  HTTP: files below ./http, plus generated responses (/bajty/N, /chunked/N, /stall,
          /stall-hlavicky, /kapky-hlavicky/S[/token], /kapky/S, /nekonecny, /preruseny), files held on
          request (/zdrzet/...) and tracked requests (/sledovany/..., read by /sledovani/<token>)
  base+1  SMTP offering neither STARTTLS nor AUTH (yet taking any login sent unasked); a recipient
          beginning with "odmitnout" is refused, MAIL FROM of a sender beginning with "prihlaseni"
          answered 530
  base+2  SMTP with AUTH LOGIN required (the logins of LOGINY), no STARTTLS
  base+3  SMTP that refuses EHLO (HELO only)
  base+4  SMTP that greets and then never answers
  base+5  SMTP with STARTTLS (certificate for 127.0.0.1 from the test authority) and AUTH LOGIN
          required inside TLS
  base+6  the same with a certificate from the test authority for another name
  base+7  the same with a certificate for 127.0.0.1 from an authority nobody trusts
  base+8  SMTP that offers STARTTLS and refuses it
  base+9  SMTP that offers STARTTLS and closes the connection inside the handshake
  base+10 SMTP that offers STARTTLS and falls silent inside the handshake
  base+11 SMTP with AUTH LOGIN answering the password by the user name: "odmitnout535" 535,
          "odmitnout530" 530, "ticho" never, any other 235
  base+12 SMTP with STARTTLS (the certificate of base+5) that falls silent inside TLS at AUTH
  base+13 SMTP with STARTTLS (the certificate of base+5) into TLS 1.3 only, then AUTH LOGIN of any
          login; the message is taken, not kept
  base+14 the server of base+5 with an expired certificate for 127.0.0.1 from the test authority
  base+15 the same with a certificate not valid yet
  base+16 the same with a certificate naming the server by its address only (subjectAltName IP)
  base+17 the same with a certificate for client authentication only
The test authority's certificate is <output folder>/tls/autorita.der (DER), for the tests to
trust. Every EHLO, STARTTLS, AUTH, MAIL and DATA the SMTP servers receive is appended to
<output folder>/smtp.log as "<port> <TLS|PLAIN> <command>"; every byte that arrives unencrypted
at an SMTP server that reads commands (all but base+4) to <output folder>/surove-<port>.bin.
Every message received is parsed with Python's email package and written below
<output folder>/prijate/<X-Kolvex-Test header>/ for the tests to compare.
"""
import datetime
import email
import email.policy
import ipaddress
import ssl
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


def cislo(casti, i, vychozi):
    """The number in a path part (a pause in seconds), or the default when there is none."""
    try:
        return float(casti[i])
    except (IndexError, ValueError):
        return vychozi


def vzor(n):
    return bytes((i * 7 + 3) % 251 for i in range(n))


# Held requests, by the test's token: the event that lets them go on, how many were held and
# whether the token's first request has come (only that one is held).
zdrzeni_zamek = threading.Lock()
zdrzeni = {}


# What the tracked endpoints saw, by the test's token: requests counted, when a drip was dropped.
sledovani_zamek = threading.Lock()
sledovani = {}


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
                        time.sleep(cislo(casti, 1, 0.5))
                except OSError:
                    pass
                return
            if casti[0] == "dlouha-predpoved":
                # a forecast page whose text is far longer than a forecast
                data = b"<html><PRE>\r\n" + (b"Polojasno. " * 4000) + b"</PRE></html>"
                self.send_response(200)
                self.send_header("Content-Length", str(len(data)))
                self.end_headers()
                self.wfile.write(data)
                return
            if casti[0] == "kapky-hlavicky":
                # the status line, the headers and the body, one byte now and then; with a token
                # (/kapky-hlavicky/S/<token>) the moment the client dropped the connection is kept
                prodleva = cislo(casti, 1, 0.3)
                odpoved = b"HTTP/1.1 200 OK\r\nContent-Type: text/xml\r\nContent-Length: 200\r\n\r\n" + b"a" * 200
                self.close_connection = True
                try:
                    for i in range(len(odpoved)):
                        self.wfile.write(odpoved[i:i + 1])
                        self.wfile.flush()
                        time.sleep(prodleva)
                except OSError:
                    if len(casti) > 2:
                        with sledovani_zamek:
                            sledovani.setdefault(casti[2], {})["odpojeno"] = time.monotonic()
                return
            if casti[0] == "sledovany":
                # /sledovany/<token>/<N>: counted per token; N bytes declared, and only N <= 100000
                # sent: a larger answer stays on a kept-alive connection that the client must drop
                with sledovani_zamek:
                    zaznam = sledovani.setdefault(casti[1], {})
                    zaznam["pozadavky"] = zaznam.get("pozadavky", 0) + 1
                n = int(casti[2])
                self.send_response(200)
                self.send_header("Content-Type", "application/octet-stream")
                self.send_header("Content-Length", str(n))
                self.end_headers()
                try:
                    self.wfile.write(vzor(min(n, 100000)))
                    self.wfile.flush()
                    if n > 100000:
                        time.sleep(30)
                except OSError:
                    pass
                return
            if casti[0] == "sledovani":
                # /sledovani/<token>: "<requests> <seconds since the client dropped a drip, or -1>"
                with sledovani_zamek:
                    zaznam = sledovani.get(casti[1], {})
                    odpojeno = zaznam.get("odpojeno")
                    data = ("%d %.3f" % (zaznam.get("pozadavky", 0),
                                         -1 if odpojeno is None else time.monotonic() - odpojeno)).encode()
                self.send_response(200)
                self.send_header("Content-Type", "text/plain")
                self.send_header("Content-Length", str(len(data)))
                self.end_headers()
                self.wfile.write(data)
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

    async def handle_MAIL(self, server, session, envelope, address, mail_options):
        if address.lower().startswith("prihlaseni"):
            return "530 5.7.0 Vyzadovano prihlaseni"
        envelope.mail_from = address
        envelope.mail_options.extend(mail_options)
        return "250 OK"

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


class PrijemceBezNabidkyPrihlaseni(Prijemce):
    """Offers no AUTH, yet takes any login a client sends unasked, as some servers do: what such
    a client gives away shows in the raw log."""
    async def handle_EHLO(self, server, session, envelope, hostname, responses):
        session.host_name = hostname
        return [r for r in responses if not r[4:].upper().startswith("AUTH")]


def prijmout_kazde_prihlaseni(server, session, envelope, mechanism, auth_data):
    return AuthResult(success=True, auth_data=auth_data)


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
               session.auth_data.login.decode("utf-8", "backslashreplace") if session.authenticated else ""))
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


# User names and passwords base+2 and the TLS servers take, as the bytes that must arrive
LOGINY = {
    b"uzivatel": b"heslo",
    "uživatel Žluťoučký".encode("utf-8"): "heslo ěščř € 😀".encode("utf-8"),
}


def overit_prihlaseni(server, session, envelope, mechanism, auth_data):
    if isinstance(auth_data, LoginPassword) and LOGINY.get(auth_data.login) == auth_data.password:
        return AuthResult(success=True, auth_data=auth_data)
    return AuthResult(success=False, handled=False)


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


# ---------------------------------------------------------------------------------------------
# TLS: a test authority made at every start, and the servers' certificates

def novy_certifikat(nazev, verejny, vydavatel, klic_vydavatele, autorita, nazvy=(), adresy=(), platnost=(-1, 30),
                    pouziti="server"):
    """platnost: the first and the last day of validity, in days from now; pouziti: the extended
    key usage of a server certificate, "server" or "klient"."""
    from cryptography import x509
    from cryptography.hazmat.primitives import hashes
    from cryptography.x509.oid import ExtendedKeyUsageOID, NameOID
    ted = datetime.datetime.utcnow()
    subjekt = x509.Name([x509.NameAttribute(NameOID.COMMON_NAME, nazev)])
    b = (x509.CertificateBuilder().subject_name(subjekt)
         .issuer_name(vydavatel if vydavatel is not None else subjekt)
         .public_key(verejny).serial_number(x509.random_serial_number())
         .not_valid_before(ted + datetime.timedelta(days=platnost[0]))
         .not_valid_after(ted + datetime.timedelta(days=platnost[1]))
         .add_extension(x509.BasicConstraints(ca=autorita, path_length=None), critical=True))
    if autorita:
        b = b.add_extension(x509.KeyUsage(digital_signature=True, content_commitment=False, key_encipherment=False,
                                          data_encipherment=False, key_agreement=False, key_cert_sign=True,
                                          crl_sign=True, encipher_only=False, decipher_only=False), critical=True)
    else:
        alt = [x509.DNSName(n) for n in nazvy] + [x509.IPAddress(ipaddress.ip_address(a)) for a in adresy]
        b = b.add_extension(x509.SubjectAlternativeName(alt), critical=False)
        b = b.add_extension(x509.ExtendedKeyUsage([ExtendedKeyUsageOID.SERVER_AUTH if pouziti == "server"
                                                   else ExtendedKeyUsageOID.CLIENT_AUTH]), critical=False)
    return b.sign(klic_vydavatele, hashes.SHA256())


def pripravit_tls(vystup):
    """The contexts of the TLS servers, by their certificates (see pripady)."""
    from cryptography.hazmat.primitives import serialization
    from cryptography.hazmat.primitives.asymmetric import rsa
    slozka = os.path.join(vystup, "tls")
    os.makedirs(slozka, exist_ok=True)
    klic = lambda: rsa.generate_private_key(public_exponent=65537, key_size=2048)
    klic_autority, klic_cizi, klic_serveru = klic(), klic(), klic()
    autorita = novy_certifikat("Kolvex zkusebni autorita", klic_autority.public_key(), None, klic_autority, True)
    cizi = novy_certifikat("Kolvex nedůvěryhodná autorita", klic_cizi.public_key(), None, klic_cizi, True)
    with open(os.path.join(slozka, "autorita.der"), "wb") as f:
        f.write(autorita.public_bytes(serialization.Encoding.DER))
    pem_klice = klic_serveru.private_bytes(serialization.Encoding.PEM, serialization.PrivateFormat.TraditionalOpenSSL,
                                           serialization.NoEncryption())
    with open(os.path.join(slozka, "server.key"), "wb") as f:
        f.write(pem_klice)
    # name: issuer, its key, DNS names, IP addresses, other attributes; the subject is the first
    # DNS name, or a name that is no address
    pripady = {
        "spravny": (autorita, klic_autority, ["127.0.0.1"], ["127.0.0.1"], {}),
        "jiny-nazev": (autorita, klic_autority, ["jiny.server.invalid"], ["127.0.0.2"], {}),
        "cizi-autorita": (cizi, klic_cizi, ["127.0.0.1"], ["127.0.0.1"], {}),
        "prosly": (autorita, klic_autority, ["127.0.0.1"], ["127.0.0.1"], {"platnost": (-60, -1)}),
        "budouci": (autorita, klic_autority, ["127.0.0.1"], ["127.0.0.1"], {"platnost": (10, 40)}),
        "jen-adresa": (autorita, klic_autority, [], ["127.0.0.1"], {}),
        "pro-klienta": (autorita, klic_autority, ["127.0.0.1"], ["127.0.0.1"], {"pouziti": "klient"}),
    }
    kontexty = {}
    for nazev, (vydavatel, klic_vydavatele, nazvy, adresy, dalsi) in pripady.items():
        cert = novy_certifikat(nazvy[0] if nazvy else "Kolvex zkusebni server", klic_serveru.public_key(),
                               vydavatel.subject, klic_vydavatele, False, nazvy, adresy, **dalsi)
        cesta = os.path.join(slozka, nazev + ".pem")
        with open(cesta, "wb") as f:
            f.write(cert.public_bytes(serialization.Encoding.PEM))
            f.write(vydavatel.public_bytes(serialization.Encoding.PEM))
        kontext = ssl.SSLContext(ssl.PROTOCOL_TLS_SERVER)
        kontext.load_cert_chain(cesta, os.path.join(slozka, "server.key"))
        kontexty[nazev] = kontext
    kontext = ssl.SSLContext(ssl.PROTOCOL_TLS_SERVER)
    kontext.minimum_version = ssl.TLSVersion.TLSv1_3
    kontext.load_cert_chain(os.path.join(slozka, "spravny.pem"), os.path.join(slozka, "server.key"))
    kontexty["jen-tls13"] = kontext
    return kontexty


ZAMEK_ZAZNAMU = threading.Lock()


def zaznamenat(vystup, port, tls, prikaz):
    with ZAMEK_ZAZNAMU, open(os.path.join(vystup, "smtp.log"), "a") as f:
        f.write("%d %s %s\n" % (port, "TLS" if tls else "PLAIN", prikaz))


def zaznamenat_surove(vystup, port, data):
    with ZAMEK_ZAZNAMU, open(os.path.join(vystup, "surove-%d.bin" % port), "ab") as f:
        f.write(data)


class SmtpSeZaznamem(SMTP):
    """aiosmtpd's server that logs its commands with whether they came inside TLS, and the bytes
    that arrive unencrypted."""
    vystup = None

    def data_received(self, data):
        # inside TLS this is the decrypted text: only what crossed the wire in clear is logged
        if self._tls_protocol is None and self.transport:
            zaznamenat_surove(self.vystup, self.transport.get_extra_info("sockname")[1], data)
        super().data_received(data)

    def _zaznam(self, prikaz):
        zaznamenat(self.vystup, self.transport.get_extra_info("sockname")[1] if self.transport else 0,
                   self._tls_protocol is not None, prikaz)

    async def smtp_EHLO(self, hostname):
        self._zaznam("EHLO")
        await super().smtp_EHLO(hostname)

    async def smtp_STARTTLS(self, arg):
        self._zaznam("STARTTLS")
        await super().smtp_STARTTLS(arg)

    async def smtp_AUTH(self, arg):
        self._zaznam("AUTH")
        await super().smtp_AUTH(arg)

    async def smtp_MAIL(self, arg):
        self._zaznam("MAIL")
        await super().smtp_MAIL(arg)

    async def smtp_DATA(self, arg):
        self._zaznam("DATA")
        await super().smtp_DATA(arg)


class ControllerSeZaznamem(Controller):
    def factory(self):
        return SmtpSeZaznamem(self.handler, **self.SMTP_kwargs)


class SmtpBezEhlo(SmtpSeZaznamem):
    async def smtp_EHLO(self, hostname):
        await self.push("502 5.5.1 EHLO neni podporovano")


class ControllerBezEhlo(Controller):
    def factory(self):
        return SmtpBezEhlo(self.handler, **self.SMTP_kwargs)


def skriptovany_server(port, vystup, obsluha):
    """A raw SMTP server of its own: obsluha(soubor, zapsat, zaznam) runs one connection."""
    class Obsluha(socketserver.StreamRequestHandler):
        def handle(self):
            def zapsat(text):
                self.wfile.write(text.encode("ascii") + b"\r\n")
                self.wfile.flush()
            try:
                obsluha(self, zapsat, lambda prikaz: zaznamenat(vystup, port, False, prikaz))
            except OSError:
                pass

    class Server(socketserver.ThreadingTCPServer):
        daemon_threads = True
        allow_reuse_address = True

    s = Server(("127.0.0.1", port), Obsluha)
    s.vystup = vystup
    threading.Thread(target=s.serve_forever, daemon=True).start()


def precist_prikaz(obsluha):
    """One line that arrived unencrypted at a scripted server, logged as it came."""
    radek = obsluha.rfile.readline()
    zaznamenat_surove(obsluha.server.vystup, obsluha.server.server_address[1], radek)
    if not radek:
        raise OSError("closed")
    return radek.decode("latin-1").rstrip("\r\n")


def starttls_v_rozhovoru(zpusob):
    """Offers STARTTLS; then refuses it, or breaks off inside the handshake."""
    def obsluha(o, zapsat, zaznam):
        zapsat("220 127.0.0.1 ESMTP")
        while True:
            prikaz = precist_prikaz(o)
            slovo = prikaz.split(" ")[0].upper()
            zaznam(slovo)
            if slovo == "EHLO":
                zapsat("250-127.0.0.1")
                zapsat("250-STARTTLS")
                zapsat("250 AUTH LOGIN")
            elif slovo == "STARTTLS" and zpusob == "odmitnout":
                zapsat("454 4.7.0 TLS neni k dispozici")
            elif slovo == "STARTTLS":
                zapsat("220 2.0.0 Zacnete TLS")
                o.request.recv(4096)  # the client's hello
                if zpusob == "ticho":
                    time.sleep(60)
                o.request.shutdown(socket.SHUT_RDWR)
                return
            elif slovo == "QUIT":
                zapsat("221 Nashledanou")
                return
            else:
                zapsat("530 5.7.0 Nejdrive STARTTLS")
    return obsluha


def prejit_na_tls(o, zapsat, zaznam, kontext):
    """The plain part of a STARTTLS server that offers nothing else: the file of the TLS
    connection once it is made, or None when the client quit first."""
    zapsat("220 127.0.0.1 ESMTP")
    while True:
        slovo = precist_prikaz(o).split(" ")[0].upper()
        zaznam(slovo)
        if slovo == "EHLO":
            zapsat("250-127.0.0.1")
            zapsat("250 STARTTLS")
        elif slovo == "STARTTLS":
            zapsat("220 2.0.0 Zacnete TLS")
            break
        elif slovo == "QUIT":
            zapsat("221 Nashledanou")
            return None
        else:
            zapsat("530 5.7.0 Nejdrive STARTTLS")
    return kontext.wrap_socket(o.request, server_side=True).makefile("rwb")


def precist_v_tls(soubor, vystup, port):
    """The first word of a command inside TLS, logged; None when the connection ended."""
    radek = soubor.readline()
    if not radek:
        return None
    slovo = radek.decode("latin-1").strip().split(" ")[0].upper()
    zaznamenat(vystup, port, True, slovo)
    return slovo


def ticho_v_tls(kontext, vystup, port):
    """Upgrades to TLS, answers EHLO inside it, then never answers AUTH."""
    def obsluha(o, zapsat, zaznam):
        soubor = prejit_na_tls(o, zapsat, zaznam, kontext)
        while soubor:
            slovo = precist_v_tls(soubor, vystup, port)
            if slovo != "EHLO":
                if slovo:
                    time.sleep(60)
                return
            soubor.write(b"250-127.0.0.1\r\n250 AUTH LOGIN\r\n")
            soubor.flush()
    return obsluha


def jen_tls13(kontext, vystup, port):
    """STARTTLS into TLS 1.3 only (a client that offers less gets the protocol_version alert);
    inside it AUTH LOGIN of any login and a message taken without being kept."""
    def obsluha(o, zapsat, zaznam):
        soubor = prejit_na_tls(o, zapsat, zaznam, kontext)

        def odpovedet(text):
            soubor.write(text.encode("ascii") + b"\r\n")
            soubor.flush()

        while soubor:
            slovo = precist_v_tls(soubor, vystup, port)
            if slovo is None:
                return
            if slovo == "EHLO":
                odpovedet("250-127.0.0.1")
                odpovedet("250 AUTH LOGIN")
            elif slovo == "AUTH":
                odpovedet("334 VXNlcm5hbWU6")
                soubor.readline()
                odpovedet("334 UGFzc3dvcmQ6")
                soubor.readline()
                odpovedet("235 2.7.0 Prihlasen")
            elif slovo == "DATA":
                odpovedet("354 Pokracujte")
                while soubor.readline() not in (b".\r\n", b""):
                    pass
                odpovedet("250 Zprava prijata")
            elif slovo == "QUIT":
                odpovedet("221 Nashledanou")
                return
            else:
                odpovedet("250 OK")
    return obsluha


def prihlaseni_podle_jmena(o, zapsat, zaznam):
    import base64
    zapsat("220 127.0.0.1 ESMTP")
    while True:
        prikaz = precist_prikaz(o)
        slovo = prikaz.split(" ")[0].upper()
        zaznam(slovo)
        if slovo == "EHLO":
            zapsat("250-127.0.0.1")
            zapsat("250 AUTH LOGIN")
        elif slovo == "AUTH":
            zapsat("334 VXNlcm5hbWU6")
            jmeno = base64.b64decode(precist_prikaz(o)).decode("latin-1")
            zapsat("334 UGFzc3dvcmQ6")
            precist_prikaz(o)
            if jmeno == "odmitnout535":
                zapsat("535 5.7.8 Prihlaseni odmitnuto")
            elif jmeno == "odmitnout530":
                zapsat("530 5.7.0 Ucet je zablokovan")
            elif jmeno == "ticho":
                time.sleep(60)
                return
            else:
                zapsat("235 2.7.0 Prihlasen")
        elif slovo == "MAIL":
            zapsat("530 5.7.0 Vyzadovano prihlaseni")
        elif slovo == "QUIT":
            zapsat("221 Nashledanou")
            return
        else:
            zapsat("250 OK")


def main():
    vystup, zaklad = sys.argv[1], int(sys.argv[2])
    os.makedirs(os.path.join(vystup, "prijate"), exist_ok=True)
    SmtpSeZaznamem.vystup = vystup
    kontexty = pripravit_tls(vystup)
    http_server = HttpServer(("127.0.0.1", zaklad), HttpObsluha)
    threading.Thread(target=http_server.serve_forever, daemon=True).start()
    prijemce = Prijemce(vystup)
    ovladace = [
        ControllerSeZaznamem(PrijemceBezNabidkyPrihlaseni(vystup), hostname="127.0.0.1", port=zaklad + 1,
                             authenticator=prijmout_kazde_prihlaseni, auth_require_tls=False),
        ControllerSeZaznamem(prijemce, hostname="127.0.0.1", port=zaklad + 2, authenticator=overit_prihlaseni,
                             auth_required=True, auth_require_tls=False),
        ControllerBezEhlo(prijemce, hostname="127.0.0.1", port=zaklad + 3),
    ]
    for posun, nazev in ((5, "spravny"), (6, "jiny-nazev"), (7, "cizi-autorita"), (14, "prosly"), (15, "budouci"),
                         (16, "jen-adresa"), (17, "pro-klienta")):
        ovladace.append(ControllerSeZaznamem(prijemce, hostname="127.0.0.1", port=zaklad + posun,
                                             tls_context=kontexty[nazev], require_starttls=True,
                                             authenticator=overit_prihlaseni, auth_required=True,
                                             auth_require_tls=True))
    for o in ovladace:
        o.start()
    tichy_server(zaklad + 4)
    skriptovany_server(zaklad + 8, vystup, starttls_v_rozhovoru("odmitnout"))
    skriptovany_server(zaklad + 9, vystup, starttls_v_rozhovoru("zavrit"))
    skriptovany_server(zaklad + 10, vystup, starttls_v_rozhovoru("ticho"))
    skriptovany_server(zaklad + 11, vystup, prihlaseni_podle_jmena)
    skriptovany_server(zaklad + 12, vystup, ticho_v_tls(kontexty["spravny"], vystup, zaklad + 12))
    skriptovany_server(zaklad + 13, vystup, jen_tls13(kontexty["jen-tls13"], vystup, zaklad + 13))
    print("pripraveno", flush=True)
    try:
        while True:
            time.sleep(3600)
    finally:
        for o in ovladace:
            o.stop()


if __name__ == "__main__":
    main()
