#include "gnet_keyed_link.h"

#include <sodium.h>

#include <algorithm>
#include <string_view>

namespace corvax {
namespace {

// The first byte of a keyed session's packets: message type 15, then the kind.
constexpr std::uint8_t kHello = 0xF1;
constexpr std::uint8_t kProof = 0xF2;
constexpr std::uint8_t kSealed = 0xF3;
constexpr std::size_t kCounterBytes = 8;
constexpr std::size_t kSealedHeader = 1 + kCounterBytes;
constexpr std::size_t kTagBytes = crypto_aead_chacha20poly1305_ietf_ABYTES;
static_assert(crypto_aead_chacha20poly1305_ietf_KEYBYTES == kGNetKeyBytes);
static_assert(crypto_generichash_KEYBYTES_MAX >= kGNetKeyBytes);

// Labels that keep the session's keyed hashes apart.
constexpr std::string_view kProofByConnecting = "corvax gnet proof: connecting end";
constexpr std::string_view kProofByAccepting = "corvax gnet proof: accepting end";
constexpr std::string_view kKeyToAccepting = "corvax gnet key: to the accepting end";
constexpr std::string_view kKeyToConnecting = "corvax gnet key: to the connecting end";

template <std::size_t N>
std::array<std::uint8_t, N> KeyedHash(const GNetKey& key, std::string_view label,
                                      const std::uint8_t* first, const std::uint8_t* second,
                                      std::size_t nonceBytes) {
  crypto_generichash_state state;
  crypto_generichash_init(&state, key.data(), key.size(), N);
  crypto_generichash_update(&state, reinterpret_cast<const unsigned char*>(label.data()),
                            label.size());
  crypto_generichash_update(&state, first, nonceBytes);
  crypto_generichash_update(&state, second, nonceBytes);
  std::array<std::uint8_t, N> out{};
  crypto_generichash_final(&state, out.data(), N);
  return out;
}

// The AEAD nonce: four zero bytes, then the counter, big-endian.
std::array<std::uint8_t, crypto_aead_chacha20poly1305_ietf_NPUBBYTES> AeadNonce(
    std::uint64_t counter) {
  std::array<std::uint8_t, crypto_aead_chacha20poly1305_ietf_NPUBBYTES> nonce{};
  for (std::size_t i = 0; i < kCounterBytes; ++i)
    nonce[nonce.size() - 1 - i] = static_cast<std::uint8_t>(counter >> (8 * i));
  return nonce;
}

// The bytes authenticated beside the sealed ones: the kind and the channel, so that a packet
// moved to another channel does not authenticate.
std::array<std::uint8_t, 2> AdditionalData(std::uint8_t channel) {
  return {kSealed, channel};
}

GNetKeyedLink::Outcome Refused(int reason) {
  GNetKeyedLink::Outcome outcome;
  outcome.refusal = reason;
  return outcome;
}

}  // namespace

GNetKeyedLink::GNetKeyedLink(const GNetKey& key, Role role) : key_(key), role_(role) {
  randombytes_buf(localNonce_.data(), localNonce_.size());
}

GNetKeyedLink::~GNetKeyedLink() {
  sodium_memzero(key_.data(), key_.size());
  sodium_memzero(sendKey_.data(), sendKey_.size());
  sodium_memzero(receiveKey_.data(), receiveKey_.size());
}

std::vector<std::uint8_t> GNetKeyedLink::Hello() const {
  std::vector<std::uint8_t> hello{kHello};
  hello.insert(hello.end(), localNonce_.begin(), localNonce_.end());
  return hello;
}

GNetKeyedLink::Outcome GNetKeyedLink::Take(std::uint8_t channel, const std::uint8_t* data,
                                           std::size_t size) {
  if (size == 0) return Refused(proven_ ? GNET_REFUSED_TAMPERED : GNET_REFUSED_STRANGER);
  switch (data[0]) {
    case kHello:
      return TakeHello(data, size);
    case kProof:
      return TakeProof(data, size);
    case kSealed:
      return TakeSealed(channel, data, size);
    default:
      // A plain replication packet, or anything else: never from a peer holding the key.
      return Refused(proven_ ? GNET_REFUSED_TAMPERED : GNET_REFUSED_STRANGER);
  }
}

GNetKeyedLink::Outcome GNetKeyedLink::TakeHello(const std::uint8_t* data, std::size_t size) {
  // One hello per session; its nonce must be fresh, not this end's own sent back.
  if (helloTaken_ || size != 1 + kNonceBytes ||
      std::equal(localNonce_.begin(), localNonce_.end(), data + 1)) {
    return Refused(GNET_REFUSED_STRANGER);
  }
  std::copy(data + 1, data + size, remoteNonce_.begin());
  helloTaken_ = true;
  const Nonce& connecting = role_ == Role::kConnecting ? localNonce_ : remoteNonce_;
  const Nonce& accepting = role_ == Role::kConnecting ? remoteNonce_ : localNonce_;
  const GNetKey toAccepting = KeyedHash<kGNetKeyBytes>(key_, kKeyToAccepting, connecting.data(),
                                                       accepting.data(), kNonceBytes);
  const GNetKey toConnecting = KeyedHash<kGNetKeyBytes>(key_, kKeyToConnecting, connecting.data(),
                                                        accepting.data(), kNonceBytes);
  sendKey_ = role_ == Role::kConnecting ? toAccepting : toConnecting;
  receiveKey_ = role_ == Role::kConnecting ? toConnecting : toAccepting;
  Outcome outcome;
  const auto proof = ProofOf(role_);
  outcome.reply.push_back(kProof);
  outcome.reply.insert(outcome.reply.end(), proof.begin(), proof.end());
  return outcome;
}

GNetKeyedLink::Outcome GNetKeyedLink::TakeProof(const std::uint8_t* data, std::size_t size) {
  if (!helloTaken_ || proofTaken_ || size != 1 + kNonceBytes) {
    return Refused(GNET_REFUSED_STRANGER);
  }
  proofTaken_ = true;
  const auto expected = ProofOf(role_ == Role::kConnecting ? Role::kAccepting : Role::kConnecting);
  if (sodium_memcmp(expected.data(), data + 1, expected.size()) != 0) {
    return Refused(GNET_REFUSED_WRONG_KEY);
  }
  Outcome outcome;
  outcome.nowProven = !proven_;
  proven_ = true;
  return outcome;
}

GNetKeyedLink::Outcome GNetKeyedLink::TakeSealed(std::uint8_t channel, const std::uint8_t* data,
                                                 std::size_t size) {
  // Without the peer's hello there are no keys to open it with.
  if (!helloTaken_) return Refused(GNET_REFUSED_STRANGER);
  if (size < kSealedHeader + kTagBytes) return Refused(GNET_REFUSED_TAMPERED);
  std::uint64_t counter = 0;
  for (std::size_t i = 0; i < kCounterBytes; ++i) counter = counter << 8 | data[1 + i];
  const auto nonce = AeadNonce(counter);
  const auto additional = AdditionalData(channel);
  Outcome outcome;
  outcome.plain.resize(size - kSealedHeader - kTagBytes);
  unsigned long long plainLength = 0;
  if (crypto_aead_chacha20poly1305_ietf_decrypt(
          outcome.plain.data(), &plainLength, nullptr, data + kSealedHeader, size - kSealedHeader,
          additional.data(), additional.size(), nonce.data(), receiveKey_.data()) != 0) {
    // Before the proof, a packet that does not open is a stranger's, not a tampered one.
    return Refused(proven_ ? GNET_REFUSED_TAMPERED : GNET_REFUSED_STRANGER);
  }
  if (counter <= received_[channel]) return Refused(GNET_REFUSED_REPLAYED);
  received_[channel] = counter;
  // Sealing takes the key derived for this session, so a packet that opens proves the key as
  // well as the proof does; it can overtake the proof, which travels on another channel.
  outcome.nowProven = !proven_;
  proven_ = true;
  outcome.deliver = true;
  return outcome;
}

std::vector<std::uint8_t> GNetKeyedLink::Seal(std::uint8_t channel,
                                              const std::vector<std::uint8_t>& plain) {
  const std::uint64_t counter = ++sendCounter_;
  std::vector<std::uint8_t> sealed(kSealedHeader + plain.size() + kTagBytes);
  sealed[0] = kSealed;
  for (std::size_t i = 0; i < kCounterBytes; ++i)
    sealed[kCounterBytes - i] = static_cast<std::uint8_t>(counter >> (8 * i));
  const auto nonce = AeadNonce(counter);
  const auto additional = AdditionalData(channel);
  unsigned long long sealedLength = 0;
  crypto_aead_chacha20poly1305_ietf_encrypt(
      sealed.data() + kSealedHeader, &sealedLength, plain.data(), plain.size(), additional.data(),
      additional.size(), nullptr, nonce.data(), sendKey_.data());
  return sealed;
}

std::array<std::uint8_t, GNetKeyedLink::kNonceBytes> GNetKeyedLink::ProofOf(Role role) const {
  const Nonce& connecting = role_ == Role::kConnecting ? localNonce_ : remoteNonce_;
  const Nonce& accepting = role_ == Role::kConnecting ? remoteNonce_ : localNonce_;
  return KeyedHash<kNonceBytes>(key_,
                                role == Role::kConnecting ? kProofByConnecting : kProofByAccepting,
                                connecting.data(), accepting.data(), kNonceBytes);
}

}  // namespace corvax
