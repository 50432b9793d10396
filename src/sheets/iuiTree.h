#pragma once

#include "sheets/cuiTree.h"

#include <cstdint>
#include <functional>
#include <string>

// The model's navigation tree: the bank nodes of the memory channel branch
// take their pictures and names from the banks, driven by events.
//
// A bank node's descriptor has the class "St_ChBank" and a tag "Bank", one
// separator and the bank number ("[St_ChBank]GI_Sheet_ChBank,Bank 0").
// Events: 40 gives every bank node the picture of its bank's kind and
// contents; 41 (text, argument = bank) makes the text the caption of that
// bank's node; 42 (argument = bank) names the node after the bank's stored
// name.
class iuiTree : public cuiTree
{
public:
    struct BankInfo {
        bool groupId = false;  // the bank holds group-ID channels
        bool trunking = false; // the bank holds trunking channels
        int channelCount = 0;
    };
    using BankInfoSource = std::function<BankInfo(int bank)>;
    // The bank's stored name (at most 34 bytes are shown).
    using BankNameSource = std::function<std::string(int bank)>;

    static constexpr const char *kChannelTopSuffix = "GI_Sheet_Memory_CH_Top";
    static constexpr std::size_t kBankNameBytes = 34;

    iuiTree(QWidget *owner, cmcGTex &texts, std::string treeName, const cuiImageList *images);
    ~iuiTree() override;

    // Without sources, kEvRefreshBankImages and kEvRereadBankName change
    // nothing.
    void SetBankSources(BankInfoSource info, BankNameSource name);

    // The bank number of a bank node's cell, -1 for other cells.
    static int BankNumber(const cmcCellObj &cell);
    QTreeWidgetItem *FindBankNode(int bank) const;

    // The pictures kEvRefreshBankImages shows by bank kind, without and with
    // channels.
    static int BankImage(const BankInfo &bank);

    // The tree's part of rebuilding the memory channel branch after an image
    // was loaded: removes the nodes of every tree category whose bit is set
    // in `removedCategories`, gives the channel top node one child per bank
    // from line 0 of "GI_Tree_Branch_Mch_Bank" (a format taking
    // `modelSuffix` and the bank number), posts kEvBankCaption for each bank
    // with line 0 of "GI_Tree_Branch_NoBankMch_SheetName", moves the
    // selection on when the selected node changed, and posts
    // kEvRefreshBankSheet.
    void RebuildChannelBranch(std::uint32_t removedCategories, const std::string &modelSuffix,
                              int bankCount);

private:
    static void onEvent(void *object, const cmcEvent &event);
    void refreshBankImages();
    void setBankCaption(int bank, const std::string &text);
    void rereadBankName(int bank);

    BankInfoSource bankInfo_;
    BankNameSource bankName_;
};
