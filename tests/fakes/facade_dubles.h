// A security facade whose three roles are the in-memory doubles, with pointers to reach them.
#pragma once

#include <memory>

#include "nivranfe/security/dfe_ssl.h"
#include "tests/fakes/crypto_memoria.h"
#include "tests/fakes/http_gravador.h"
#include "tests/fakes/xmlsign_gravador.h"

namespace nivra {

struct TFacadeComDubles {
  TFacadeComDubles() {
    auto c = std::make_unique<TCryptoMemoria>(ssl);
    auto h = std::make_unique<THttpGravador>(ssl);
    auto x = std::make_unique<TXmlSignGravador>(ssl);
    crypto = c.get();
    http = h.get();
    xmlsign = x.get();
    eventos = crypto->Eventos;
    ssl.UsarSSLCryptClass(std::move(c));
    ssl.UsarSSLHttpClass(std::move(h));
    ssl.UsarSSLXmlSignClass(std::move(x));
  }

  TDFeSSL ssl;
  // The doubles, owned by `ssl`; valid until it replaces or frees them.
  TCryptoMemoria* crypto = nullptr;
  THttpGravador* http = nullptr;
  TXmlSignGravador* xmlsign = nullptr;
  // What happened to the crypto double, readable after it was freed.
  std::shared_ptr<TEventosCrypto> eventos;
};

}  // namespace nivra
