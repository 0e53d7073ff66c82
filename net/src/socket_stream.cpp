#include <corvax/net/socket_stream.h>

#include <corvax/net/host_names.h>

namespace corvax {

bool TSocketStream::AtEnd() {
  if (!socket_) return true;
  if (socket_->IsConnected()) return false;
  Close();
  return true;
}

int TSocketStream::Read(void* buffer, int count) {
  if (!socket_) return 0;
  const int n = socket_->ReceiveData(buffer, count, 0);
  // Nothing received from a socket its peer has closed: the data ended while Read waited, so
  // the stream is at its end now rather than failed.
  if (n == 0 && count > 0 && !socket_->IsConnected()) Close();
  return n;
}

int TSocketStream::Write(const void* buffer, int count) {
  return socket_->SendData(buffer, count, 0);
}

int TSocketStream::Close() {
  if (!socket_) return 0;
  if (ownsSocket_) socket_->Close();
  socket_ = nullptr;
  return 0;
}

Ref<TSocketStream> TSocketStream::Wrap(Ref<TSocket> socket, bool ownsSocket) {
  return New<TSocketStream>(std::move(socket), ownsSocket);
}

Ref<TSocketStream> TSocketStream::ConnectTo(const String& host, int port) {
  const int address = ResolveHostAddress(host, 0);
  if (address == 0) return nullptr;
  Ref<TSocket> socket = TSocket::NewTcp();
  if (!socket) return nullptr;
  if (!socket->Connect(address, port)) {
    socket->Close();
    return nullptr;
  }
  return Wrap(socket, 1);
}

Ref<TSocketStream> WrapSocket(Ref<TSocket> socket, bool ownsSocket) {
  return TSocketStream::Wrap(std::move(socket), ownsSocket);
}

Ref<TSocket> StreamSocket(const Ref<TStream>& stream) {
  const Ref<TSocketStream> socketStream = Cast<TSocketStream>(stream);
  return socketStream ? socketStream->UnderlyingSocket() : nullptr;
}

int SplitHostPort(const String& text, String& host) {
  const std::size_t colon = text.find(u':');
  host = text.substr(0, colon);
  if (colon == String::npos) return 80;
  const String digits = text.substr(colon + 1);
  if (digits.empty() || digits.size() > 5) return 0;
  int port = 0;
  for (char16_t c : digits) {
    if (c < u'0' || c > u'9') return 0;
    port = port * 10 + (c - u'0');
  }
  return port <= 65535 ? port : 0;
}

Ref<TStream> TSocketStreamFactory::CreateStream(const Ref<Object>&, const String& protocol,
                                                const String& path, bool, bool) {
  if (protocol != u"tcp") return nullptr;
  String host;
  const int port = SplitHostPort(path, host);
  if (port == 0) return nullptr;
  return TSocketStream::ConnectTo(host, port);
}

}  // namespace corvax
