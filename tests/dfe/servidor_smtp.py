#!/usr/bin/python3
"""A real SMTP server on loopback for the e-mail tests (aiosmtpd).

Listens on a free port of 127.0.0.1 and prints "ouvindo em PORTA". With --modo starttls the
connection starts plain and STARTTLS is required before login; with --modo ssl it is TLS from
the start. Login (PLAIN or LOGIN) is required with --usuario/--senha. A recipient named by
--recusar is refused with 550. Each accepted message N is written to the folder as N.eml (the
bytes received after DATA) and N.json: the envelope, the login used, whether the session was
encrypted, and the message as Python's e-mail parser reads it: the decoded subject and address
headers, and every leaf part with its type, file name and decoded bytes (Base64).
"""
import argparse
import asyncio
import base64
import email
import email.header
import email.policy
import json
import logging
import os
import ssl
import sys
import warnings

from aiosmtpd.smtp import SMTP, AuthResult, LoginPassword


def argumentos():
    p = argparse.ArgumentParser()
    p.add_argument("--pasta", required=True)
    p.add_argument("--cert", required=True)
    p.add_argument("--chave", required=True)
    p.add_argument("--modo", choices=["starttls", "ssl"], default="starttls")
    p.add_argument("--usuario", required=True)
    p.add_argument("--senha", required=True)
    p.add_argument("--recusar", action="append", default=[])
    return p.parse_args()


def decodificado(valor):
    return str(email.header.make_header(email.header.decode_header(valor))) if valor else None


def descrever(bruto):
    mensagem = email.message_from_bytes(bruto, policy=email.policy.compat32)
    partes = []
    for parte in mensagem.walk():
        if parte.is_multipart():
            partes.append({"tipo": parte.get_content_type()})
            continue
        partes.append({
            "tipo": parte.get_content_type(),
            "charset": parte.get_content_charset(),
            "codificacao": parte.get("Content-Transfer-Encoding"),
            "disposicao": parte.get_content_disposition(),
            "nome": parte.get_filename(),
            "conteudo": base64.b64encode(parte.get_payload(decode=True)).decode(),
        })
    cabecalhos = {}
    for nome in ("From", "To", "Cc", "Reply-To", "Subject", "Date", "Message-ID", "MIME-Version"):
        cabecalhos[nome] = decodificado(mensagem.get(nome))
    return {"cabecalhos": cabecalhos, "partes": partes}


class Guardar:
    def __init__(self, pasta, recusar):
        self.pasta = pasta
        self.recusar = set(recusar)
        self.contador = 0

    async def handle_RCPT(self, server, session, envelope, address, rcpt_options):
        if address in self.recusar:
            return "550 5.1.1 <%s>: Recipient address rejected" % address
        envelope.rcpt_tos.append(address)
        return "250 OK"

    async def handle_DATA(self, server, session, envelope):
        self.contador += 1
        base = os.path.join(self.pasta, str(self.contador))
        with open(base + ".eml", "wb") as f:
            f.write(envelope.original_content)
        registro = descrever(envelope.original_content)
        registro["de"] = envelope.mail_from
        registro["para"] = envelope.rcpt_tos
        registro["usuario"] = session.auth_data.decode() if session.auth_data else None
        registro["cifrada"] = server.transport.get_extra_info("ssl_object") is not None
        with open(base + ".json", "w") as f:
            json.dump(registro, f, ensure_ascii=False)
        return "250 Message accepted for delivery"


def main():
    # aiosmtpd warns about its own deprecated attributes and about login over implicit TLS
    # (which it cannot see as TLS); neither concerns the tests.
    warnings.simplefilter("ignore")
    logging.disable(logging.WARNING)
    a = argumentos()
    contexto = ssl.create_default_context(ssl.Purpose.CLIENT_AUTH)
    contexto.load_cert_chain(a.cert, a.chave)
    guardar = Guardar(a.pasta, a.recusar)

    def autenticar(server, session, envelope, mechanism, auth_data):
        ok = (isinstance(auth_data, LoginPassword) and auth_data.login == a.usuario.encode()
              and auth_data.password == a.senha.encode())
        # Not "handled": the server answers a refusal with its own 535 line.
        return AuthResult(success=ok, handled=False, auth_data=auth_data.login if ok else None)

    def protocolo():
        comum = dict(authenticator=autenticar, auth_required=True, decode_data=False)
        if a.modo == "ssl":
            return SMTP(guardar, auth_require_tls=False, **comum)
        return SMTP(guardar, tls_context=contexto, require_starttls=True,
                    auth_require_tls=True, **comum)

    async def servir():
        servidor = await asyncio.get_running_loop().create_server(
            protocolo, "127.0.0.1", 0, ssl=contexto if a.modo == "ssl" else None)
        print("ouvindo em %d" % servidor.sockets[0].getsockname()[1], flush=True)
        await servidor.serve_forever()

    asyncio.run(servir())


if __name__ == "__main__":
    sys.exit(main())
