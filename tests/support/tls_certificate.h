#pragma once
// A key and a self-signed certificate for 127.0.0.1, made in memory for TLS
// servers in tests. No trust store knows it, so clients must refuse it.

#include <openssl/evp.h>
#include <openssl/x509.h>

namespace brivane::test {

class TSelfSignedCertificate {
public:
    TSelfSignedCertificate();
    ~TSelfSignedCertificate();
    TSelfSignedCertificate(const TSelfSignedCertificate&) = delete;
    TSelfSignedCertificate& operator=(const TSelfSignedCertificate&) = delete;

    X509* Certificate() const { return fCertificate; }
    EVP_PKEY* Key() const { return fKey; }

private:
    X509* fCertificate = nullptr;
    EVP_PKEY* fKey = nullptr;
};

} // namespace brivane::test
