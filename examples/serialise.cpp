// Saving and loading an object graph: a class of our own becomes data by naming a data type
// that writes and reads its fields; a data stream then writes whole graphs, each object once,
// so shared objects stay shared when read back.
#include <cstdio>

#include <corvax/corvax.h>
using namespace corvax;

class TPlayer : public TData {
 public:
  String name;
  int score = 0;
  Ref<TPlayer> partner;  // another player, or Null
  Ref<TDataType> GetDataType() const override;
};

//! [data type]
class TPlayerType : public TDataType {
 public:
  // The name stored in the file; reading looks the type up by it.
  String TypeName() const override { return u"example.TPlayer"; }
  void WriteInstance(const Ref<Object>& object, TStream& stream) override {
    Ref<TPlayer> player = Cast<TPlayer>(object);
    stream.WriteTextLine(player->name);  // plain fields through the stream's own calls
    stream.WriteI32(player->score);
    stream.WriteObject(player->partner);  // objects through WriteObject: stored once
  }
  Ref<Object> ReadInstance(TStream& stream) override {
    Ref<TPlayer> player = New<TPlayer>();
    player->name = stream.ReadTextLine();
    player->score = stream.ReadI32();
    player->partner = Cast<TPlayer>(stream.ReadObject());
    return player;
  }
};
//! [data type]

// Made once, at start-up; making it links it into the data-type registry.
Ref<TDataType> TPlayer::GetDataType() const {
  static const Ref<TDataType> type = New<TPlayerType>();
  return type;
}

Ref<TPlayer> MakePlayer(const char16_t* name, int score) {
  Ref<TPlayer> player = New<TPlayer>();
  player->name = name;
  player->score = score;
  return player;
}

void Main() {
  StartupCorvax();
  New<TPlayer>()->GetDataType();  // register the type before anything is read

  //! [team list]
  // Two teams share one coach: the graph holds three players, not four.
  Ref<TPlayer> coach = MakePlayer(u"Coach", 0);
  Ref<TList> team = New<TList>();
  for (auto [name, score] : {std::pair{u"Ada", 12}, std::pair{u"Bo", 7}}) {
    Ref<TPlayer> player = MakePlayer(name, score);
    player->partner = coach;
    team->AddLast(player);
  }
  //! [team list]

  // Any stream works: a file here, "data::..." memory or a socket just as well.
  Ref<TStream> file = OpenWriteStream("team.dat");
  if (!file) {
    PrintLine(u"serialise: cannot write team.dat");
    return;
  }
  CreateDataStream(file)->WriteObject(team);  // lists are data too
  file->Close();

  Ref<TStream> input = OpenReadStream("team.dat");
  Ref<TList> loaded = Cast<TList>(CreateDataStream(input)->ReadObject());
  input->Close();
  RemoveFile(u"team.dat");

  for (int i = 0; i < loaded->Count(); ++i) {
    Ref<TPlayer> player = Cast<TPlayer>(loaded->ValueAtIndex(i));
    std::printf("%s scored %d, coached by %s\n", ToUtf8(player->name).c_str(), player->score,
                ToUtf8(player->partner->name).c_str());
  }
  Ref<TPlayer> first = Cast<TPlayer>(loaded->ValueAtIndex(0));
  Ref<TPlayer> second = Cast<TPlayer>(loaded->ValueAtIndex(1));
  std::printf("one coach shared: %s\n", first->partner == second->partner ? "yes" : "no");
}

int main(int argc, char** argv) {
  return RunApplication(argc, argv, Main);
}
