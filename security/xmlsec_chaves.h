// The signer's key as xmlsec takes it, and signing with a key that xmlsec cannot use itself: a
// key on a token shows xmlsec only its public half.
#pragma once

#include <openssl/types.h>

#include <string>

#include "nivranfe/security/xml_biblioteca.h"

namespace nivra {

// An xmlsec key over `chave` carrying `certificado` for KeyInfo; xmlsec gets its own references
// to both. Null when xmlsec refuses them.
[[nodiscard]] TChaveXmlSec ChaveXmlSec(EVP_PKEY* chave, X509* certificado);

// Whether xmlsec can sign with `chave` itself (it sees the private half).
[[nodiscard]] bool XmlSecAssinaCom(xmlSecKey* chave);

// A process-wide software key, made on first use, that lets xmlsec compute the digests and the
// canonical SignedInfo for a key it cannot use itself; its signature value is always replaced.
// Null when it cannot be made.
[[nodiscard]] EVP_PKEY* ChaveSubstituta();

// Replaces the signature value of `noAssinatura`, which `ctx` (made with
// XMLSEC_DSIG_FLAGS_STORE_SIGNATURE) has just signed, by the signature of the canonical
// SignedInfo with `chave`, through the key's own method. Returns false on any failure.
[[nodiscard]] bool RefazerValorAssinatura(xmlSecDSigCtx* ctx, xmlNode* noAssinatura,
                                          EVP_PKEY* chave);

}  // namespace nivra
