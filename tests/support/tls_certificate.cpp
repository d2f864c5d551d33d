#include "support/tls_certificate.h"

#include <openssl/x509v3.h>

#include <stdexcept>

namespace brivane::test {

TSelfSignedCertificate::TSelfSignedCertificate() {
    fKey = EVP_EC_gen("P-256");
    fCertificate = X509_new();
    if (fKey == nullptr || fCertificate == nullptr) {
        throw std::runtime_error("cannot make a key and a certificate");
    }
    X509_set_version(fCertificate, 2);
    ASN1_INTEGER_set(X509_get_serialNumber(fCertificate), 1);
    X509_gmtime_adj(X509_getm_notBefore(fCertificate), -60);
    X509_gmtime_adj(X509_getm_notAfter(fCertificate), 24 * 3600);
    X509_set_pubkey(fCertificate, fKey);
    X509_NAME* name = X509_get_subject_name(fCertificate);
    X509_NAME_add_entry_by_txt(name, "CN", MBSTRING_ASC,
                               reinterpret_cast<const unsigned char*>("127.0.0.1"), -1, -1, 0);
    X509_set_issuer_name(fCertificate, name);
    // The address matches, so the only fault is that nobody vouches for the issuer.
    X509V3_CTX context;
    X509V3_set_ctx_nodb(&context);
    X509V3_set_ctx(&context, fCertificate, fCertificate, nullptr, nullptr, 0);
    X509_EXTENSION* altName =
        X509V3_EXT_conf_nid(nullptr, &context, NID_subject_alt_name, "IP:127.0.0.1");
    if (altName == nullptr || X509_add_ext(fCertificate, altName, -1) != 1 ||
        X509_sign(fCertificate, fKey, EVP_sha256()) == 0) {
        X509_EXTENSION_free(altName);
        throw std::runtime_error("cannot sign the certificate");
    }
    X509_EXTENSION_free(altName);
}

TSelfSignedCertificate::~TSelfSignedCertificate() {
    X509_free(fCertificate);
    EVP_PKEY_free(fKey);
}

} // namespace brivane::test
