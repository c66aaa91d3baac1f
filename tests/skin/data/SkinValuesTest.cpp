#include <gtest/gtest.h>

#include "skin/data/SkinValues.h"

namespace tovrel::test {
namespace {

TEST(SkinValues, RectAndPointFieldsKeepOnlyTheirDigits)
{
    struct Case {
        const char* Text;
        TRect Expected;
    };
    const Case cases[] = {
        {"10, 20 ,30,40", {10, 20, 30, 40}},
        {"-5,7,x9,+3", {5, 7, 9, 3}},
        {"1,2,3,4,5", {1, 2, 3, 4}},
        {"0012,0,0,1", {12, 0, 0, 1}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(StrToRect(c.Text), c.Expected) << c.Text;
    EXPECT_EQ(StrToPoint("-5,7"), (TPoint{5, 7}));
    EXPECT_EQ(StrToPoint("a12, 3b"), (TPoint{12, 3}));
}

TEST(SkinValues, FieldsWithoutDigitsRaiseTheIntegerConversionError)
{
    for (const char* text : {"1,2,3", "", "1,,3,4", "a,b,c,d", "1,2,3,99999999999"}) {
        SCOPED_TRACE(text);
        EXPECT_THROW(StrToRect(text), EConvertError);
    }
    EXPECT_THROW(StrToPoint("7"), EConvertError);
    try {
        StrToRect("1,2,3");
        FAIL();
    } catch (const EConvertError& e) {
        EXPECT_STREQ(e.what(), "'' is not a valid integer value");
    }
}

TEST(SkinValues, ReadersApplyTheirSyntaxAndMissingKeyDefaults)
{
    const TskIniFile ini("[s]\n"
                         "r=1,2,3,4\nemptyrect=\nbad=1,2,3\n"
                         "one=1\ntwo=2\nword=yes\n"
                         "styles=fsboldfsitalic\ncaps=FSBOLD,FSITALIC\nall=fsstrikeout,fsunderline,fsitalic,fsbold\n"
                         "horz=sthorz\nvert=stvert\nodd=diagonal\n"
                         "ieodd=iesepia\nienoise=ienoise\n"
                         "left=taleftjustify\ncenter=tacenter\nother=Center\n"
                         "mk=mkrightslide\nmkodd=mkfade\n"
                         "cmmax=cmmaximize\ncmcaps=cmMaximize\ncmtray=cmminimizetotray\n");
    EXPECT_EQ(ReadRect(ini, "s", "r"), (TRect{1, 2, 3, 4}));
    EXPECT_EQ(ReadRect(ini, "s", "missing"), TRect{});
    EXPECT_EQ(ReadPoint(ini, "s", "missing"), TPoint{});
    EXPECT_THROW(ReadRect(ini, "s", "emptyrect"), EConvertError);
    EXPECT_THROW(ReadRect(ini, "s", "bad"), EConvertError);

    EXPECT_TRUE(ReadBoolean(ini, "s", "one"));
    EXPECT_FALSE(ReadBoolean(ini, "s", "two"));
    EXPECT_FALSE(ReadBoolean(ini, "s", "word"));
    EXPECT_FALSE(ReadBoolean(ini, "s", "missing"));

    EXPECT_EQ(ReadFontStyles(ini, "s", "styles"), (TFontStyles{TFontStyle::fsBold, TFontStyle::fsItalic}));
    EXPECT_EQ(ReadFontStyles(ini, "s", "caps"), TFontStyles{});
    EXPECT_EQ(ReadFontStyles(ini, "s", "all"), (TFontStyles{TFontStyle::fsBold, TFontStyle::fsItalic,
                                                            TFontStyle::fsUnderline, TFontStyle::fsStrikeOut}));

    EXPECT_EQ(ReadStretchType(ini, "s", "horz"), TskStretchType::skstHorz);
    EXPECT_EQ(ReadStretchType(ini, "s", "vert"), TskStretchType::skstVert);
    EXPECT_EQ(ReadStretchType(ini, "s", "odd"), TskStretchType::skstHorz);
    EXPECT_EQ(ReadStretchType(ini, "s", "missing"), TskStretchType::skstFull);

    EXPECT_EQ(ReadInActiveEffect(ini, "s", "ieodd"), TskInActiveEffect::ieGrayScale);
    EXPECT_EQ(ReadInActiveEffect(ini, "s", "ienoise"), TskInActiveEffect::ieNoise);
    EXPECT_EQ(ReadInActiveEffect(ini, "s", "missing"), TskInActiveEffect::ieBrightness);

    EXPECT_EQ(ReadAlignment(ini, "s", "left"), TAlignment::taLeftJustify);
    EXPECT_EQ(ReadAlignment(ini, "s", "center"), TAlignment::taCenter);
    EXPECT_EQ(ReadAlignment(ini, "s", "other"), TAlignment::taRightJustify);
    EXPECT_EQ(ReadAlignment(ini, "s", "missing"), TAlignment::taCenter);

    EXPECT_EQ(ReadMorphKind(ini, "s", "mk"), TskMorphKind::mkRightSlide);
    EXPECT_EQ(ReadMorphKind(ini, "s", "mkodd"), TskMorphKind::mkDefault);

    EXPECT_EQ(ReadStdCommand(ini, "s", "cmmax"), TskStdCommand::cmMaximize);
    EXPECT_EQ(ReadStdCommand(ini, "s", "cmcaps"), TskStdCommand::cmMinimizeToTray);
    EXPECT_EQ(ReadStdCommand(ini, "s", "cmtray"), TskStdCommand::cmMinimizeToTray);
    EXPECT_EQ(ReadStdCommand(ini, "s", "missing"), TskStdCommand::cmDefault);
}

TEST(SkinValues, WritersProduceTheTextTheReadersAccept)
{
    TskIniFile ini;
    WriteRect(ini, "s", "r", TRect{-1, 2, 30, 40});
    WritePoint(ini, "s", "p", TPoint{3, -4});
    WriteBoolean(ini, "s", "t", true);
    WriteBoolean(ini, "s", "f", false);
    WriteFontStyles(ini, "s", "fs", TFontStyles{TFontStyle::fsStrikeOut, TFontStyle::fsBold});
    WriteFontStyles(ini, "s", "none", TFontStyles{});
    WriteStretchType(ini, "s", "st", TskStretchType::skstHorz);
    WriteMorphKind(ini, "s", "mk", TskMorphKind::mkPush);
    WriteInActiveEffect(ini, "s", "ie", TskInActiveEffect::ieInvert);
    WriteAlignment(ini, "s", "al", TAlignment::taRightJustify);
    WriteStdCommand(ini, "s", "cm", TskStdCommand::cmMinimizeToTray);
    EXPECT_EQ(ini.GetText(), "[s]\r\nr=-1,2,30,40\r\np=3,-4\r\nt=1\r\nf=0\r\nfs=fsbold,fsstrikeout\r\nnone=\r\n"
                             "st=sthorz\r\nmk=mkpush\r\nie=ieinvert\r\nal=tarightjustify\r\n"
                             "cm=cmminimizetotray\r\n\r\n");
    // A minus sign does not survive the trip.
    EXPECT_EQ(ReadRect(ini, "s", "r"), (TRect{1, 2, 30, 40}));
}

TEST(SkinValues, StringListsPadMissingItemsAndRejectImpossibleCounts)
{
    std::vector<std::string> names{"kept"};
    ReadStrings(TskIniFile("[PICTURES]\nactivepicturescount=2\n0=a.bmp\n"), "PICTURES", "activepictures", names);
    EXPECT_EQ(names, (std::vector<std::string>{"kept", "a.bmp", ""}));

    TskIniFile written;
    WriteStrings(written, "PICTURES", "activepictures", {"x.bmp", "y.bmp"});
    EXPECT_EQ(written.GetText(), "[PICTURES]\r\nactivepicturescount=2\r\n0=x.bmp\r\n1=y.bmp\r\n\r\n");

    std::vector<std::string> none;
    ReadStrings(TskIniFile("[P]\nlistcount=-3\n"), "P", "list", none);
    EXPECT_TRUE(none.empty());
    EXPECT_THROW(ReadStrings(TskIniFile("[P]\nlistcount=2000000000\n"), "P", "list", none), ESkinListError);
}

} // namespace
} // namespace tovrel::test
