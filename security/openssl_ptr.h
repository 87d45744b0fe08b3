// Owners of OpenSSL objects: each frees its object with the library's own release call.
#pragma once

#include <openssl/bio.h>
#include <openssl/evp.h>
#include <openssl/pkcs12.h>
#include <openssl/x509.h>

#include <memory>
#include <vector>

namespace nivra {

template <typename T, void (*Liberar)(T*)>
struct TLiberarOpenSSL {
  void operator()(T* objeto) const { Liberar(objeto); }
};

using TX509Ptr = std::unique_ptr<X509, TLiberarOpenSSL<X509, X509_free>>;
using TEVPKeyPtr = std::unique_ptr<EVP_PKEY, TLiberarOpenSSL<EVP_PKEY, EVP_PKEY_free>>;
using TPKCS12Ptr = std::unique_ptr<PKCS12, TLiberarOpenSSL<PKCS12, PKCS12_free>>;
using TEVPMDCtxPtr = std::unique_ptr<EVP_MD_CTX, TLiberarOpenSSL<EVP_MD_CTX, EVP_MD_CTX_free>>;

// BIO_free returns a result, so it needs its own deleter.
struct TLiberarBIO {
  void operator()(BIO* bio) const { BIO_free(bio); }
};
using TBIOPtr = std::unique_ptr<BIO, TLiberarBIO>;

// A list of owned certificates (a certificate's chain).
using TListaX509 = std::vector<TX509Ptr>;

}  // namespace nivra
