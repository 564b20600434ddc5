#include "core/Sha256.h"

#include <openssl/evp.h>

struct Sha256::State {
    EVP_MD_CTX *ctx = EVP_MD_CTX_new();
    ~State() { EVP_MD_CTX_free(ctx); }
};

Sha256::Sha256() : m_state(std::make_unique<State>())
{
    EVP_DigestInit_ex(m_state->ctx, EVP_sha256(), nullptr);
}
Sha256::~Sha256() = default;

void Sha256::add(const char *data, qint64 size)
{
    EVP_DigestUpdate(m_state->ctx, data, size_t(size));
}

QByteArray Sha256::result() const
{
    EVP_MD_CTX *copy = EVP_MD_CTX_new();
    QByteArray digest(32, Qt::Uninitialized);
    unsigned int length = 0;
    const bool ok = EVP_MD_CTX_copy_ex(copy, m_state->ctx) &&
                    EVP_DigestFinal_ex(copy, reinterpret_cast<unsigned char *>(digest.data()), &length);
    EVP_MD_CTX_free(copy);
    return ok && length == 32 ? digest : QByteArray();
}
