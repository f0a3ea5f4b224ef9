// Printer access over a fake backend: availability, device-mode copy, paper
// and orientation rules, capability refresh, snapshots and job safety.
#include <gtest/gtest.h>

#include <functional>

#include "FakePrinterBackend.h"
#include "print/LpPrintDialogs.h"
#include "print/LpPrinters.h"

namespace vorna {
namespace {

using testing::MakeFakePrinter;
using testing::TFakePrinterBackend;

// Runs `call` and returns the message of the ELpPrinter-family exception it
// raised, checking its class.
template <class E>
std::string MessageOf(const std::function<void()>& call) {
  try {
    call();
  } catch (const E& e) {
    return e.what();
  } catch (const std::exception& e) {
    return std::string("wrong exception: ") + e.what();
  }
  return "no exception";
}

class LpPrinterTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Backend.Printers = {MakeFakePrinter("Hidden One", kPrinterAttributeHidden), MakeFakePrinter("Office"),
                        MakeFakePrinter("Hidden Two", kPrinterAttributeHidden), MakeFakePrinter("Home")};
    Backend.Printers[1].Port = "USB001";
    Backend.Printers[3].Port = "USB002";
    Backend.Printers[3].Papers = {kDmPaperA4, 11, 8};
    Backend.Printers[3].PaperNames = {"A4", "A5", "A3"};
    Backend.Current = 1;
    Backend.DefaultIndex = 1;
    Printer.SetBackend(&Backend);
  }
  TFakePrinterBackend Backend;
  TLpPrinter Printer;
};

TEST(LpPrinterNoPrinter, OnlyHiddenPrintersMakeEveryCallRaise) {
  TFakePrinterBackend backend;
  backend.Printers = {MakeFakePrinter("A", kPrinterAttributeHidden), MakeFakePrinter("B", 0x20 | 0x40)};
  backend.Current = 0;
  TLpPrinter printer;
  printer.SetBackend(&backend);
  EXPECT_FALSE(printer.Available());
  const std::vector<std::function<void()>> calls = {
      [&] { printer.CheckNoPrinter(); },
      [&] { printer.GetIndex(); },
      [&] { printer.GetPaperSizeNumber(); },
      [&] { printer.SetPaperSizeNumber(9); },
      [&] { printer.HasPaperNumber(9); },
      [&] { printer.GetPaperSizeNames(); },
      [&] { printer.GetOrientation(); },
      [&] { printer.SetOrientation(true); },
      [&] { printer.GetUserpaperExtent(); },
      [&] { printer.SetpaperExtent(100, 100); },
      [&] { printer.GetSupportedFields(); },
      [&] { printer.GetPageExtent(); },
      [&] { printer.GetPixelsPerInch(); },
      [&] { printer.GetPaperExtent(); },
      [&] { printer.GetOffset(); },
      [&] { printer.GetPorts(); },
      [&] { printer.ApplyChanges(); },
      [&] { printer.DiscardChanges(); },
      [&] { printer.Reset(); },
      [&] { printer.BeginDoc("job"); },
  };
  for (size_t i = 0; i < calls.size(); ++i)
    EXPECT_EQ(MessageOf<ELpPrinterNoPrinter>(calls[i]), "TLpPrinter.CheckNoPrinter: No Printer")
        << "call " << i;
  EXPECT_EQ(printer.LastIndex(), -1);
  EXPECT_FALSE(backend.Open);
}

TEST(LpPrinterNoPrinter, WithoutBackendNothingIsAvailable) {
  TLpPrinter printer;
  EXPECT_FALSE(printer.Available());
  EXPECT_THROW(printer.Canvas(), ELpPrinterNoPrinter);
  EXPECT_NO_THROW(printer.EndDoc());
}

TEST_F(LpPrinterTest, IndexCountsOnlyAvailablePrinters) {
  EXPECT_TRUE(Printer.Available());
  EXPECT_EQ(Printer.GetIndex(), 0);
  Backend.Current = 3;
  EXPECT_EQ(Printer.GetIndex(), 1);
  Backend.Current = 2;
  EXPECT_EQ(MessageOf<ELpPrinterIllegalIndex>([&] { Printer.GetIndex(); }),
            "TLpPrinter.GetIndex: Printers.PrinterIndex is Illegal");
  Backend.Current = -1;
  EXPECT_EQ(Printer.GetIndex(), -1);
}

TEST_F(LpPrinterTest, SettingTheSamePaperLeavesTheCopyUnmodified) {
  EXPECT_EQ(Printer.GetPaperSizeNumber(), kDmPaperA4);
  Printer.SetPaperSizeNumber(kDmPaperA4);
  Printer.SetOrientation(false);
  EXPECT_FALSE(Printer.Modified());
  Printer.SetPaperSizeNumber(kDmPaperB5);
  EXPECT_TRUE(Printer.Modified());
  EXPECT_EQ(Printer.GetPaperSizeNumber(), kDmPaperB5);
  // The printer itself is untouched until the changes are applied.
  EXPECT_EQ(Backend.Printers[1].Mode.PaperSize, kDmPaperA4);
}

TEST_F(LpPrinterTest, UserExtentFlagsFollowThePaperCode) {
  auto lengthAndWidth = [&] { return (Printer.GetSupportedFields() >> 2) & 3u; };
  EXPECT_EQ(MessageOf<ELpPrinterNoUserPaperExtent>([&] { Printer.GetUserpaperExtent(); }),
            "TLpPrinter.GetUserpaperExtent: Cannot Get User paper Extent");
  Printer.SetpaperExtent(1500, 2500);
  EXPECT_EQ(Printer.GetPaperSizeNumber(), kDmPaperUser);
  EXPECT_EQ(Printer.GetUserpaperExtent(), (TPoint{1500, 2500}));
  EXPECT_EQ(lengthAndWidth(), 3u);
  Printer.SetPaperSizeNumber(kDmPaperA4);
  EXPECT_EQ(lengthAndWidth(), 0u);
  EXPECT_THROW(Printer.GetUserpaperExtent(), ELpPrinterNoUserPaperExtent);
  Printer.SetpaperExtent(1000, 1000);
  EXPECT_EQ(lengthAndWidth(), 3u);
  // Choosing the user code keeps the extent flags.
  Printer.SetPaperSizeNumber(kDmPaperA4);
  Printer.SetPaperSizeNumber(kDmPaperUser);
  EXPECT_EQ(Printer.GetPaperSizeNumber(), kDmPaperUser);
}

TEST_F(LpPrinterTest, BadPaperInputRaisesNotSupported) {
  const std::string setPaper = "TLpPrinter.SetPaperSizeNumber: PaperSize is not Supported";
  const std::string setExtent = "TLpPrinter.SetpaperExtent: PaperSize is not Supported";
  EXPECT_EQ(MessageOf<ELpPrinterNotSupported>([&] { Printer.SetPaperSizeNumber(70); }), setPaper);
  EXPECT_EQ(MessageOf<ELpPrinterNotSupported>([&] { Printer.SetPaperSizeNumber(0); }), setPaper);
  EXPECT_EQ(MessageOf<ELpPrinterNotSupported>([&] { Printer.SetPaperSizeNumber(-9); }), setPaper);
  for (auto [w, l] : {std::pair{0, 100}, {100, 0}, {-5, 100}, {100, -1}})
    EXPECT_EQ(MessageOf<ELpPrinterNotSupported>([&] { Printer.SetpaperExtent(w, l); }), setExtent)
        << w << "," << l;
  EXPECT_FALSE(Printer.Modified());
  EXPECT_TRUE(Printer.HasPaperNumber(kDmPaperB5));
  EXPECT_FALSE(Printer.HasPaperNumber(70));
}

TEST_F(LpPrinterTest, MissingFieldsRaiseTheirMessages) {
  Backend.Printers[1].Mode.Fields = kDmCopies;
  Printer.SetBackend(&Backend);
  struct Case {
    std::function<void()> Call;
    std::string Message;
  };
  const Case cases[] = {
      {[&] { Printer.GetPaperSizeNumber(); }, "TLpPrinter.GetPaperSizeNumber: PaperSize is not Supported"},
      {[&] { Printer.SetPaperSizeNumber(9); }, "TLpPrinter.SetPaperSizeNumber: PaperSize is not Supported"},
      {[&] { Printer.HasPaperNumber(9); }, "TLpPrinter.HasPaperNumber: PaperSize is not Supported"},
      {[&] { Printer.GetPaperSizeNames(); }, "TLpPrinter.GetPaperSizeNames: PaperSize is not Supported"},
      {[&] { Printer.GetOrientation(); }, "TLpPrinter.GetOrientation: Orientation is not Supported"},
      {[&] { Printer.SetOrientation(true); }, "TLpPrinter.SetOrientation: Orientation is not Supported"},
      {[&] { Printer.SetpaperExtent(10, 10); }, "TLpPrinter.SetpaperExtent: PaperSize is not Supported"},
  };
  for (const auto& c : cases) EXPECT_EQ(MessageOf<ELpPrinterNotSupported>(c.Call), c.Message);
  EXPECT_EQ(Printer.GetSupportedFields(), 1u << 5);
}

TEST_F(LpPrinterTest, NoPaperListRaisesNoInfo) {
  Backend.Printers[1].Papers.clear();
  EXPECT_EQ(MessageOf<ELpPrinterNoInfo>([&] { Printer.HasPaperNumber(9); }),
            "TLpPrinter.HasPapserSizeNumber: No PaperSize Info Available");
  EXPECT_EQ(MessageOf<ELpPrinterNoInfo>([&] { Printer.GetPaperSizeNames(); }),
            "TLpPrinter.GetPaperSizeNames: No Papersize Info Available");
  EXPECT_EQ(Printer.InfoFlags() & kLpInfoPapers, 0u);
  EXPECT_EQ(Printer.InfoFlags(), kLpInfoBins | kLpInfoResolutions | kLpInfoCopies);
}

TEST_F(LpPrinterTest, CapabilitiesFollowTheCurrentPrinter) {
  EXPECT_EQ(Printer.GetPaperSizeNames(), (std::vector<std::string>{"A4", "B5 (JIS)"}));
  EXPECT_EQ(Printer.LastIndex(), 1);
  Backend.Current = 3;
  EXPECT_TRUE(Printer.HasPaperNumber(8));
  EXPECT_EQ(Printer.LastIndex(), 3);
  EXPECT_EQ(Printer.GetResolutionCount(), 2);
  EXPECT_EQ(Printer.GetMaxCopies(), 99);
  EXPECT_EQ(Printer.GetBinNumbers(), std::vector<int>{7});
}

TEST_F(LpPrinterTest, LongPaperNamesAreCutOnCharacterBoundaries) {
  std::string longName(63, 'x');
  longName += "\x82\xA0";  // a double-byte character across the 64-byte limit
  Backend.Printers[1].PaperNames = {longName, std::string(80, 'y')};
  Backend.Printers[1].BinNames = {std::string(30, 'z')};
  auto names = Printer.GetPaperSizeNames();
  EXPECT_EQ(names[0], std::string(63, 'x'));
  EXPECT_EQ(names[1].size(), 64u);
  EXPECT_EQ(Printer.GetBinNames()[0].size(), 24u);
}

TEST_F(LpPrinterTest, ApplyChangesWritesTheCopyBackOnce) {
  Printer.ApplyChanges();
  EXPECT_TRUE(Backend.Log.empty());
  Printer.SetOrientation(true);
  Printer.SetPaperSizeNumber(kDmPaperB5);
  Printer.HasPaperNumber(9);
  Printer.ApplyChanges();
  EXPECT_EQ(Backend.Log, std::vector<std::string>{"setmode"});
  EXPECT_EQ(Backend.Printers[1].Mode.Orientation, kDmOrientLandscape);
  EXPECT_EQ(Backend.Printers[1].Mode.PaperSize, kDmPaperB5);
  EXPECT_EQ(Backend.Printers[1].Port, "USB001");
  EXPECT_FALSE(Printer.Modified());
  EXPECT_EQ(Printer.LastIndex(), -1);
  EXPECT_TRUE(Printer.GetOrientation());
}

TEST_F(LpPrinterTest, DiscardAndResetDropTheCopy) {
  Printer.SetOrientation(true);
  Printer.DiscardChanges();
  EXPECT_FALSE(Printer.Modified());
  EXPECT_FALSE(Printer.GetOrientation());
  Printer.SetPaperSizeNumber(kDmPaperB5);
  Printer.Reset();
  EXPECT_EQ(Printer.GetPaperSizeNumber(), kDmPaperA4);
  EXPECT_EQ(Printer.LastIndex(), 1);
  EXPECT_TRUE(Backend.Log.empty());
}

TEST_F(LpPrinterTest, MissingDeviceModeIsCreatedBySelectingThePrinterAgain) {
  Backend.Printers[1].HasMode = false;
  EXPECT_EQ(Printer.GetPaperSizeNumber(), kDmPaperA4);
  EXPECT_TRUE(Backend.Printers[1].HasMode);
}

TEST_F(LpPrinterTest, DialogChoosingAnotherPrinterBringsItsPaperList) {
  EXPECT_FALSE(Printer.HasPaperNumber(8));
  TLpPrintDialog dialog(Printer);
  dialog.MaxPage = 5;
  dialog.ToPage = 5;
  Backend.DialogPicks = 3;
  Backend.DialogAnswer = {1, 5, 2, 4, TPrintRange::PageNums};
  ASSERT_TRUE(dialog.Execute());
  EXPECT_EQ(Backend.DialogSeen.MaxPage, 5);
  EXPECT_EQ(dialog.FromPage, 2);
  EXPECT_EQ(dialog.ToPage, 4);
  EXPECT_EQ(dialog.PrintRange, TPrintRange::PageNums);
  EXPECT_TRUE(Printer.HasPaperNumber(8));
  EXPECT_EQ(Printer.GetPaperSizeNames(), (std::vector<std::string>{"A4", "A5", "A3"}));

  Backend.DialogConfirms = false;
  Printer.SetOrientation(true);
  EXPECT_FALSE(dialog.Execute());
  EXPECT_TRUE(Printer.Modified());
}

TEST_F(LpPrinterTest, SnapshotChangesFireOnChange) {
  int changes = 0;
  Printer.OnChange = [&](TLpPrinter& sender) {
    EXPECT_EQ(&sender, &Printer);
    ++changes;
  };
  Printer.Refresh();
  EXPECT_EQ(changes, 0);

  // Same printers, another port: only the event.
  Backend.Printers[3].Port = "USB009";
  Printer.SetOrientation(true);
  Printer.Refresh();
  EXPECT_EQ(changes, 1);
  EXPECT_TRUE(Printer.Modified());
  EXPECT_EQ(Printer.GetPorts(), (std::vector<std::string>{"LPT1:", "USB001", "USB009"}));

  // A new printer: a fresh printer object, pending changes dropped.
  Backend.Current = 3;
  Backend.Printers.push_back(MakeFakePrinter("New"));
  Printer.Refresh();
  EXPECT_EQ(changes, 2);
  EXPECT_EQ(Backend.Log, std::vector<std::string>{"reset"});
  EXPECT_EQ(Backend.Current, 1);
  EXPECT_FALSE(Printer.Modified());
  EXPECT_EQ(Printer.LastIndex(), -1);
  EXPECT_EQ(Printer.Info().Count(), 5);
}

TEST_F(LpPrinterTest, SnapshotsCompareNamesAndAttributesInOrder) {
  TLpAllPrintersInfo a({{"A", 0}, {"B", 0}});
  EXPECT_TRUE(a.IsSame(TLpAllPrintersInfo({{"A", 0}, {"B", 0}})));
  EXPECT_FALSE(a.IsSame(TLpAllPrintersInfo({{"B", 0}, {"A", 0}})));
  EXPECT_FALSE(a.IsSame(TLpAllPrintersInfo({{"A", 0}, {"B", 0x20}})));
  EXPECT_FALSE(a.IsSame(TLpAllPrintersInfo({{"A", 0}})));
  EXPECT_EQ(a.Names(5), "");
}

TEST_F(LpPrinterTest, EnumerationFailureRaisesThePlatformError) {
  Backend.FailEnum = true;
  EXPECT_THROW(Printer.Refresh(), EPrinterPlatformError);
  TLpPrinter other;
  EXPECT_THROW(other.SetBackend(&Backend), EPrinterPlatformError);
}

TEST_F(LpPrinterTest, JobGoesToThePreparedPrinterAfterTheListChanged) {
  Backend.Current = 3;
  Backend.Printers.push_back(MakeFakePrinter("New"));
  Printer.BeginDoc("doc");
  Printer.NewPage();
  Printer.EndDoc();
  EXPECT_EQ(Backend.Log, (std::vector<std::string>{"reset", "begin:doc@Home", "page", "end"}));
}

TEST_F(LpPrinterTest, VanishedPrinterFailsTheJobWithoutOpeningIt) {
  Backend.Current = 3;
  Backend.Printers.pop_back();
  Backend.VanishedName = "Home";
  EXPECT_THROW(Printer.BeginDoc("doc"), EPrinterPlatformError);
  EXPECT_FALSE(Backend.Open);
}

TEST_F(LpPrinterTest, PrintJobEndsTheDocumentOnFailure) {
  EXPECT_THROW(
      {
        TLpPrintJob job(Printer, "doc");
        Printer.NewPage();
        throw ELpPrinterNoUserPaperExtent("failed while painting");
      },
      ELpPrinterNoUserPaperExtent);
  EXPECT_EQ(Backend.Log, (std::vector<std::string>{"begin:doc@Office", "page", "end"}));
  Backend.FailBeginDoc = true;
  EXPECT_THROW(TLpPrintJob(Printer, "doc"), EPrinterPlatformError);
  EXPECT_FALSE(Backend.Open);
}

}  // namespace
}  // namespace vorna
