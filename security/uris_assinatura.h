// The algorithm and namespace URIs of the enveloped signatures the component writes.
#pragma once

#include <string_view>

namespace nivra {

inline constexpr std::string_view kUriDSig = "http://www.w3.org/2000/09/xmldsig#";
inline constexpr std::string_view kUriC14N = "http://www.w3.org/TR/2001/REC-xml-c14n-20010315";
inline constexpr std::string_view kUriEnveloped =
    "http://www.w3.org/2000/09/xmldsig#enveloped-signature";
inline constexpr std::string_view kUriRsaSha1 = "http://www.w3.org/2000/09/xmldsig#rsa-sha1";
inline constexpr std::string_view kUriRsaSha256 =
    "http://www.w3.org/2001/04/xmldsig-more#rsa-sha256";
inline constexpr std::string_view kUriSha1 = "http://www.w3.org/2000/09/xmldsig#sha1";
inline constexpr std::string_view kUriSha256 = "http://www.w3.org/2001/04/xmlenc#sha256";

}  // namespace nivra
