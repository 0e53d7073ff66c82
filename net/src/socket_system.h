#pragma once
// The system's socket declarations (address families, socket types, option names): Winsock 2 on
// Windows, the BSD headers elsewhere. The calls themselves go through socket_glue.h.
#ifdef _WIN32
#include <winsock2.h>
#include <ws2tcpip.h>
#else
#include <arpa/inet.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>
#endif
