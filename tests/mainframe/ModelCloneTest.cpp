// The model object's clone commands against the virtual radio wired straight
// to the clone driver: the driver is stepped by hand under a clock that moves
// with every reading, so the protocol's waits pass at once.
#include "LoopbackRadio.h"
#include "ModelTestFixture.h"

#include "MemoryFile.h"
#include "link/cmcCloneDrv.h"
#include "link/dst_CDrv_Result.h"
#include "link/imcCloneDrv.h"
#include "link/indCloneMan.h"
#include "mainframe/CloneBackups.h"
#include "platform/ManualTickClock.h"
#include "textdb/GlobalTexts.h"
#include "textdb/cmcGTex.h"

#include <QDir>

#include <algorithm>

namespace {

namespace wl = working_layout;
using image_words::read16;
using platform::MessageResult;
using vradio::Bytes;

constexpr std::size_t kRadioBytes = vradio::VirtualRadio::kMemorySize;

class ModelCloneTest : public ModelTest
{
protected:
    // The radio layout of the current document with a channel in use; the
    // document itself gets the channel too when asked.
    Bytes documentLayout(bool intoDocument = false)
    {
        cmcEeprom image;
        image.CopyFrom(model->WorkingImage());
        useChannel(image, 0, 145500000);
        if (intoDocument)
            model->WorkingImage().CopyFrom(image);
        model->Conversion().WorkingToRadio(image, false);
        return radioPart(image);
    }

    static Bytes radioPart(const cmcEeprom &image)
    {
        Bytes bytes(kRadioBytes);
        image.ReadBlock(0, bytes.data(), static_cast<int32_t>(kRadioBytes));
        return bytes;
    }

    void startRadio(Bytes memory, const std::string &password = {})
    {
        vradio::RadioSetup setup;
        setup.password = password;
        radio_ = std::make_unique<vradio::VirtualRadio>(setup, std::move(memory));
        radio_->log = [this](const std::string &line) { radioLog_.push_back(line); };
        model->InstallCloneDrivers(std::make_unique<cmcCloneDrv>(links()),
                                   std::make_unique<imcCloneDrv>(links()));
    }

    CloneTransports links()
    {
        return {std::make_unique<LoopbackRadio>(*radio_), std::make_unique<LoopbackRadio>(*radio_)};
    }

    // Steps the clone driver until the manager rests; operations the
    // callbacks start on the way run too.
    void runLink()
    {
        indCloneMan &manager = model->CloneManager();
        for (int step = 0; step < 200000 && manager.IsBusy(); ++step)
            manager.CloneDriver().Step();
        ASSERT_FALSE(manager.IsBusy());
    }

    int radioLogCount(const std::string &line) const
    {
        return static_cast<int>(std::count(radioLog_.begin(), radioLog_.end(), line));
    }

    int32_t lastKind() { return model->CloneManager().LastKind(); }
    int32_t lastCode() { return model->CloneManager().LastCode(); }

    ManualTickClock clock_{1000, 1};
    std::unique_ptr<vradio::VirtualRadio> radio_;
    std::vector<std::string> radioLog_;
};

TEST_F(ModelCloneTest, ReadTakesTheRadiosMemoryAsItArrived)
{
    Bytes memory = documentLayout();
    memory[0x0004] = 0x5A; // an adjustment byte only the radio has
    startRadio(memory);
    model->CloneRead();
    runLink();
    EXPECT_EQ(lastKind(), clonekind::kRead);
    EXPECT_EQ(lastCode(), 0);
    EXPECT_EQ(radioPart(model->ReceivedImage()), memory);
    EXPECT_EQ(model->WorkingImage().GetByte(0x0004), 0x5A);
    EXPECT_TRUE(model->ReferenceImage().Equals(model->WorkingImage()));
    EXPECT_TRUE(model->IsModified());
    EXPECT_EQ(model->TitleText(), "Untitled[*] - Quillon(dPMR)");
    EXPECT_TRUE(recorder.shown().empty());
}

TEST_F(ModelCloneTest, ProtectedRadioIsReadOnlyWithItsPassword)
{
    const Bytes memory = documentLayout();
    startRadio(memory, "k3y");
    cmcEeprom before;
    before.CopyFrom(model->WorkingImage());

    view.passwordAnswer = false;
    model->CloneRead();
    runLink();
    EXPECT_EQ(view.passwordPrompts, 1);
    EXPECT_EQ(lastKind(), clonekind::kIdRead);
    EXPECT_EQ(radioLogCount("read request"), 0);
    EXPECT_TRUE(model->WorkingImage().Equals(before));

    // A wrong password leaves the read request unanswered.
    view.passwordAnswer = true;
    environment().clonePassword = "nope";
    model->CloneRead();
    runLink();
    EXPECT_EQ(lastCode(), clonecode::kTimeout);
    EXPECT_TRUE(model->WorkingImage().Equals(before));

    environment().clonePassword = "k3y";
    model->CloneRead();
    runLink();
    EXPECT_EQ(view.passwordPrompts, 3);
    EXPECT_EQ(lastKind(), clonekind::kRead);
    EXPECT_EQ(lastCode(), 0);
    EXPECT_EQ(radioPart(model->ReceivedImage()), memory);
}

// Confirmations first, then the radio is identified again and the second
// pass sends the prepared image from 0x0100 to the end of the block that
// holds the image's end address.
TEST_F(ModelCloneTest, WriteSendsThePreparedImageAfterASecondIdentification)
{
    documentLayout(true);
    const Bytes blank = vradio::MemoryFile::blankMemory(kRadioBytes);
    startRadio(blank, "k3y");
    environment().clonePassword = "k3y";
    model->CloneWriteCommand();
    runLink();
    EXPECT_EQ(lastKind(), clonekind::kWrite);
    EXPECT_EQ(lastCode(), 0);
    EXPECT_EQ(radioLogCount("ID request"), 2);
    EXPECT_EQ(view.passwordPrompts, 1);
    ASSERT_EQ(recorder.shown().size(), 2u);
    EXPECT_EQ(recorder.shown()[0].text, mainTextDatabase().GetText("GI_Mess_Confirm_CloneWrite"));
    EXPECT_EQ(recorder.shown()[1].text, mainTextDatabase().GetText("GI_Mess_CloneWrite_Succeeded"));
    EXPECT_EQ(recorder.shown()[1].icon, platform::MessageIcon::Information);

    indMain::CloneWritePlan plan = model->TakePendingCloneWrite();
    ASSERT_NE(plan.image, nullptr);
    const int32_t end = read16(*plan.image, wl::kEndAddress);
    ASSERT_EQ(plan.ranges[0].first, 0x0100);
    ASSERT_EQ(plan.ranges[0].last, end / 128 * 128 + 127);
    // The radio's own map revision goes with the image.
    EXPECT_EQ(plan.image->GetByte(wl::kMapRevision), radio_->information()[35]);
    EXPECT_TRUE(model->CheckImage(*plan.image, true));
    const Bytes sent = radioPart(*plan.image);
    const Bytes &now = radio_->memory();
    EXPECT_TRUE(std::equal(now.begin(), now.begin() + 0x100, blank.begin()));
    EXPECT_TRUE(std::equal(now.begin() + 0x100, now.begin() + plan.ranges[0].last + 1,
                           sent.begin() + 0x100));
    EXPECT_TRUE(std::equal(now.begin() + plan.ranges[0].last + 1, now.end(),
                           blank.begin() + plan.ranges[0].last + 1));
}

// What the radio had and what it got are kept as clone files in the backups
// folder, as many as the settings say.
TEST_F(ModelCloneTest, ReadAndWriteKeepCopiesInTheBackupsFolder)
{
    // Copies other tests of this program kept in the same second would take
    // the names first.
    QDir(QString::fromStdString(CloneBackups::Folder())).removeRecursively();
    const Bytes memory = documentLayout();
    startRadio(memory);
    model->CloneRead();
    runLink();
    ASSERT_EQ(lastCode(), 0);
    const std::string readCopy = model->LastBackupPath();
    ASSERT_NE(readCopy.find("/backups/"), std::string::npos) << readCopy;
    // Named after the serial number the radio reports.
    EXPECT_TRUE(readCopy.ends_with("_read_0A1B2C3D4E5F.vrc")) << readCopy;
    Bytes kept = vradio::MemoryFile::blankMemory(kRadioBytes);
    ASSERT_EQ(vradio::MemoryFile::load(readCopy, kept), "");
    EXPECT_EQ(kept, memory);

    documentLayout(true);
    model->CloneWriteCommand();
    runLink();
    ASSERT_EQ(lastKind(), clonekind::kWrite);
    ASSERT_EQ(lastCode(), 0);
    const std::string writeCopy = model->LastBackupPath();
    EXPECT_TRUE(writeCopy.ends_with("_write_0A1B2C3D4E5F.vrc")) << writeCopy;
    const indMain::CloneWritePlan plan = model->TakePendingCloneWrite();
    ASSERT_NE(plan.image, nullptr);
    ASSERT_EQ(vradio::MemoryFile::load(writeCopy, kept), "");
    const Bytes now = radio_->memory();
    const auto last = static_cast<std::size_t>(plan.ranges[0].last);
    EXPECT_TRUE(std::equal(now.begin() + 0x100, now.begin() + last + 1, kept.begin() + 0x100));

    // Keeping none keeps none.
    environment().backupsKept = 0;
    model->MarkSaved();
    model->CloneRead();
    runLink();
    ASSERT_EQ(lastKind(), clonekind::kRead);
    ASSERT_EQ(lastCode(), 0);
    EXPECT_EQ(model->LastBackupPath(), "");
    EXPECT_EQ(model->LastBackupError(), "");
}

TEST_F(ModelCloneTest, WriteStopsWhenThePasswordPromptIsCancelled)
{
    documentLayout(true);
    const Bytes blank = vradio::MemoryFile::blankMemory(kRadioBytes);
    startRadio(blank, "k3y");
    view.passwordAnswer = false;
    model->CloneWriteCommand();
    runLink();
    EXPECT_EQ(view.passwordPrompts, 1);
    EXPECT_EQ(lastKind(), clonekind::kIdRead);
    EXPECT_EQ(model->TakePendingCloneWrite().image, nullptr);
    EXPECT_EQ(radio_->memory(), blank);
    // The next write starts over with its confirmations.
    recorder.clear();
    view.passwordAnswer = true;
    environment().clonePassword = "k3y";
    model->CloneWriteCommand();
    runLink();
    EXPECT_EQ(lastKind(), clonekind::kWrite);
    EXPECT_EQ(shownTexts().front(), mainTextDatabase().GetText("GI_Mess_Confirm_CloneWrite"));
}

// The sweep of band 0 from the "Ind" limits (0 to 255 in steps of 8) over a
// radio whose filter reads highest from 100 to 120.
TEST_F(ModelCloneTest, BandPassSweepKeepsItsResultsInTheModel)
{
    startRadio(vradio::MemoryFile::blankMemory(kRadioBytes));
    model->SetSweep(0, false);
    indCloneMan &manager = model->CloneManager();
    manager.SetModelIds(model->ModelId1(), model->ModelId2());
    ASSERT_TRUE(manager.AdjustSweep(nullptr, nullptr));
    for (int step = 0; step < 200000 && manager.IsBusy(); ++step)
        manager.AdjustDriver().Step();
    ASSERT_FALSE(manager.IsBusy());
    EXPECT_EQ(lastCode(), 0);
    const uint8_t *record = model->SweepRecord(0);
    EXPECT_EQ(record[0], 104); // best value: the first on the plateau
    EXPECT_EQ(record[1], 120); // last value with the best reading
    EXPECT_EQ(record[2], 200);
    EXPECT_EQ(model->WorkingImage().GetByte(4), 248);
    EXPECT_EQ(model->ReferenceImage().GetByte(4), 248);
    EXPECT_EQ(radio_->memory()[4], 248);
    EXPECT_EQ(model->SweepRecord(6), nullptr);
}

} // namespace
