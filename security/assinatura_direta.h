// Signing a plain document (see xml_canonico_simples.h) without parsing it: the digest of the
// canonical signed element and the canonical SignedInfo come from the text, the signature value
// from OpenSSL, and the document is written as the general xmlsec way writes it.
#pragma once

#include <openssl/types.h>

#include <optional>
#include <string>

namespace nivra {

// `xml` (without line breaks) with an enveloped signature before the root's closing tag, byte
// for byte what TDFeSSLXmlSignMsXml writes for the default signature node: Canonical XML 1.0, a
// reference to the element of the only "Id" attribute, RSA-SHA256 and SHA-256 when `sha256`
// (else RSA-SHA1 and SHA-1), `certificado` (Base64 DER on one line) in KeyInfo. Returns nothing
// when `xml` is not plain, its root is not `docElement`, `chave` is not an RSA key or OpenSSL
// fails: the caller then signs the general way. Never throws except std::bad_alloc.
[[nodiscard]] std::optional<std::string> AssinarDireto(const std::string& xml,
                                                       const std::string& docElement,
                                                       EVP_PKEY* chave,
                                                       const std::string& certificado, bool sha256);

}  // namespace nivra
