// Enumerations shared by the security facade and its crypto, HTTP and XML-signature roles.
// The order of the values is their stored numeric value.
#pragma once

namespace nivra {

// Combined library choice of the configuration (one value sets the three roles).
enum class TSSLLib {
  libNone,
  libOpenSSL,
  libCapicom,
  libCapicomDelphiSoap,
  libWinCrypt,
  libCustom
};

// Crypto role: certificate store, loading, certificate data, hashing and raw signing.
enum class TSSLCryptLib { cryNone, cryOpenSSL, cryCapicom, cryWinCrypt };

// HTTP role: posting a SOAP request.
enum class TSSLHttpLib { httpNone, httpWinINet, httpWinHttp, httpOpenSSL, httpIndy };

// XML-signature role: signing, schema validation and signature verification.
enum class TSSLXmlSignLib { xsNone, xsXmlSec, xsMsXml, xsMsXmlCapicom };

// Kind of certificate: key in software (A1), key in hardware (A3), or not determined.
enum class TSSLTipoCertificado { tpcDesconhecido, tpcA1, tpcA3 };

// Digest algorithms of hashes and XML signatures.
enum class TSSLDgst {
  dgstMD2,
  dgstMD4,
  dgstMD5,
  dgstRMD160,
  dgstSHA,
  dgstSHA1,
  dgstSHA256,
  dgstSHA512
};

// Form in which a hash is returned.
enum class TSSLHashOutput { outHexa, outBase64, outBinary };

// Location of the certificate store.
enum class TSSLStoreLocation {
  slMemory,
  slLocalMachine,
  slCurrentUser,
  slActiveDirectory,
  slSmartCard
};

// TLS protocol choice of the HTTP role.
enum class TSSLType { LT_all, LT_SSLv2, LT_SSLv3, LT_TLSv1, LT_TLSv1_1, LT_TLSv1_2, LT_SSHv2 };

}  // namespace nivra
