#include "core/Sha256.h"

#include <windows.h>

#include <bcrypt.h>

// A reusable hash object: result() works on a duplicate, so that adding may go on after it.
struct Sha256::State {
    BCRYPT_ALG_HANDLE alg = nullptr;
    BCRYPT_HASH_HANDLE hash = nullptr;
    State()
    {
        if (BCryptOpenAlgorithmProvider(&alg, BCRYPT_SHA256_ALGORITHM, nullptr, 0) < 0)
            alg = nullptr;
        if (alg && BCryptCreateHash(alg, &hash, nullptr, 0, nullptr, 0, 0) < 0)
            hash = nullptr;
    }
    ~State()
    {
        if (hash)
            BCryptDestroyHash(hash);
        if (alg)
            BCryptCloseAlgorithmProvider(alg, 0);
    }
};

Sha256::Sha256() : m_state(std::make_unique<State>()) {}
Sha256::~Sha256() = default;

void Sha256::add(const char *data, qint64 size)
{
    while (m_state->hash && size > 0) {
        const ULONG n = ULONG(qMin<qint64>(size, 1 << 30));
        BCryptHashData(m_state->hash, reinterpret_cast<PUCHAR>(const_cast<char *>(data)), n, 0);
        data += n;
        size -= n;
    }
}

QByteArray Sha256::result() const
{
    BCRYPT_HASH_HANDLE copy = nullptr;
    if (!m_state->hash || BCryptDuplicateHash(m_state->hash, &copy, nullptr, 0, 0) < 0)
        return {};
    QByteArray digest(32, Qt::Uninitialized);
    const bool ok = BCryptFinishHash(copy, reinterpret_cast<PUCHAR>(digest.data()), 32, 0) >= 0;
    BCryptDestroyHash(copy);
    return ok ? digest : QByteArray();
}
