// A session manager for the end-to-end tests, speaking XSMP as those of
// KDE, Xfce and LXQt do, with no more than a test needs: it takes clients,
// and on SIGUSR1 ends the session for every client it has, asking each to
// save itself for a shutdown and telling it to die once it has.
//
// Usage: xsmp_session_manager
// Prints the SESSION_MANAGER address on its first line, then one line per
// event: "registered", "saved", "died" (sent), "closed". Ends on SIGTERM.
#include <X11/ICE/ICElib.h>
#include <X11/SM/SMlib.h>
#include <poll.h>
#include <signal.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

volatile sig_atomic_t g_endAsked = 0;
volatile sig_atomic_t g_stopAsked = 0;
std::vector<IceConn> g_connections;
std::vector<SmsConn> g_clients;
// Clients asked to save themselves for the session's end.
std::vector<SmsConn> g_ending;

void Say(const char* event) {
  std::printf("%s\n", event);
  std::fflush(stdout);
}

Bool AnyHost(char*) { return True; }

Status RegisterClient(SmsConn client, SmPointer, char* previousId) {
  char* id = SmsGenerateClientID(client);
  const Status accepted = SmsRegisterClientReply(client, id);
  std::free(id);
  std::free(previousId);
  g_clients.push_back(client);
  // What the protocol asks of a manager for a new client: a first save.
  SmsSaveYourself(client, SmSaveLocal, False, SmInteractStyleNone, False);
  Say("registered");
  return accepted;
}

void InteractRequest(SmsConn client, SmPointer, int) { SmsInteract(client); }
void InteractDone(SmsConn, SmPointer, Bool) {}
void SaveYourselfRequest(SmsConn, SmPointer, int, Bool, int, Bool, Bool) {}
void SaveYourselfPhase2Request(SmsConn client, SmPointer) { SmsSaveYourselfPhase2(client); }

void SaveYourselfDone(SmsConn client, SmPointer, Bool) {
  if (std::erase(g_ending, client) == 0) return;
  Say("saved");
  SmsDie(client);
  Say("died");
}

void SetProperties(SmsConn, SmPointer, int count, SmProp** properties) {
  for (int i = 0; i < count; ++i) SmFreeProperty(properties[i]);
  std::free(properties);
}

void DeleteProperties(SmsConn, SmPointer, int count, char** names) {
  for (int i = 0; i < count; ++i) std::free(names[i]);
  std::free(names);
}

void GetProperties(SmsConn client, SmPointer) { SmsReturnProperties(client, 0, nullptr); }

void Forget(SmsConn client) {
  IceConn ice = SmsGetIceConnection(client);
  std::erase(g_clients, client);
  std::erase(g_ending, client);
  std::erase(g_connections, ice);
  SmsCleanUp(client);
  IceSetShutdownNegotiation(ice, False);
  IceCloseConnection(ice);
  Say("closed");
}

void CloseConnection(SmsConn client, SmPointer, int count, char** reasons) {
  SmFreeReasons(count, reasons);
  Forget(client);
}

Status NewClient(SmsConn, SmPointer, unsigned long* mask, SmsCallbacks* callbacks, char**) {
  *callbacks = {};
  callbacks->register_client = {RegisterClient, nullptr};
  callbacks->interact_request = {InteractRequest, nullptr};
  callbacks->interact_done = {InteractDone, nullptr};
  callbacks->save_yourself_request = {SaveYourselfRequest, nullptr};
  callbacks->save_yourself_phase2_request = {SaveYourselfPhase2Request, nullptr};
  callbacks->save_yourself_done = {SaveYourselfDone, nullptr};
  callbacks->close_connection = {CloseConnection, nullptr};
  callbacks->set_properties = {SetProperties, nullptr};
  callbacks->delete_properties = {DeleteProperties, nullptr};
  callbacks->get_properties = {GetProperties, nullptr};
  *mask = SmsRegisterClientProcMask | SmsInteractRequestProcMask | SmsInteractDoneProcMask |
          SmsSaveYourselfRequestProcMask | SmsSaveYourselfP2RequestProcMask |
          SmsSaveYourselfDoneProcMask | SmsCloseConnectionProcMask | SmsSetPropertiesProcMask |
          SmsDeletePropertiesProcMask | SmsGetPropertiesProcMask;
  return 1;
}

// Each client's save-done then ends it.
void EndSession() {
  for (SmsConn client : g_clients) {
    g_ending.push_back(client);
    SmsSaveYourself(client, SmSaveBoth, True, SmInteractStyleNone, False);
  }
}

// A connection that broke without a word.
void Drop(IceConn ice) {
  for (SmsConn client : g_clients)
    if (SmsGetIceConnection(client) == ice) return Forget(client);
  std::erase(g_connections, ice);
  IceCloseConnection(ice);
}

}  // namespace

int main() {
  char error[256];
  if (!SmsInitialize("vesperon-test", "1.0", NewClient, nullptr, AnyHost, sizeof error, error)) {
    std::fprintf(stderr, "SmsInitialize: %s\n", error);
    return 1;
  }
  int count = 0;
  IceListenObj* listeners = nullptr;
  if (!IceListenForConnections(&count, &listeners, sizeof error, error)) {
    std::fprintf(stderr, "IceListenForConnections: %s\n", error);
    return 1;
  }
  for (int i = 0; i < count; ++i) IceSetHostBasedAuthProc(listeners[i], AnyHost);
  char* address = IceComposeNetworkIdList(count, listeners);
  Say(address);
  std::free(address);

  struct sigaction action {};
  action.sa_handler = [](int) { g_endAsked = 1; };
  sigaction(SIGUSR1, &action, nullptr);
  action.sa_handler = [](int) { g_stopAsked = 1; };
  sigaction(SIGTERM, &action, nullptr);

  while (!g_stopAsked) {
    std::vector<pollfd> fds;
    for (int i = 0; i < count; ++i)
      fds.push_back({IceGetListenConnectionNumber(listeners[i]), POLLIN, 0});
    for (IceConn ice : g_connections) fds.push_back({IceConnectionNumber(ice), POLLIN, 0});
    if (poll(fds.data(), fds.size(), -1) < 0 && errno != EINTR) return 1;
    if (g_endAsked) {
      g_endAsked = 0;
      EndSession();
    }
    for (std::size_t i = 0; i < fds.size(); ++i) {
      if ((fds[i].revents & (POLLIN | POLLHUP)) == 0) continue;
      if (static_cast<int>(i) < count) {
        IceAcceptStatus accepted;
        IceConn ice = IceAcceptConnection(listeners[i], &accepted);
        if (ice != nullptr) g_connections.push_back(ice);
      } else {
        IceConn ice = g_connections[i - count];
        if (IceProcessMessages(ice, nullptr, nullptr) == IceProcessMessagesIOError) Drop(ice);
      }
      break;  // the connections may have changed
    }
  }
  // Takes its sockets away with it.
  IceFreeListenObjs(count, listeners);
}
