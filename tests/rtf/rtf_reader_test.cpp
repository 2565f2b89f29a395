// The RTF reader: each construct on its own, two documents written the way two word processors
// write them, and input that is broken, hostile or very large.
#include <QElapsedTimer>
#include <QFile>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextList>

#include <random>

#include "rtf/rtf_reader.h"

using velorine::ui::readRtf;

namespace {

constexpr QChar kParagraph = QChar::ParagraphSeparator;
constexpr QChar kLine = QChar::LineSeparator;

// The document's text with U+2029 between paragraphs and U+2028 for line breaks.
QString rawText(const QByteArray& rtf) {
    QTextDocument document;
    readRtf(rtf, document);
    return document.toRawText();
}

// The format of the last character of the first occurrence of `word`.
QTextCharFormat formatOf(const QTextDocument& document, const QString& word) {
    const QTextCursor found = document.find(word);
    if (found.isNull()) qFatal("%s not in the document", qPrintable(word));
    return found.charFormat();
}

QTextBlock blockWith(const QTextDocument& document, const QString& word) { return document.find(word).block(); }

QByteArray dataFile(const char* name) {
    QFile file(QStringLiteral(VELORINE_RTF_DATA_DIR "/") + QLatin1String(name));
    if (!file.open(QIODevice::ReadOnly)) qFatal("cannot read %s", name);
    return file.readAll();
}

}  // namespace

class RtfReaderTest : public QObject {
    Q_OBJECT

private slots:
    void text_data() {
        QTest::addColumn<QByteArray>("rtf");
        QTest::addColumn<QString>("text");
        QTest::newRow("plain") << QByteArray(R"({\rtf1\ansi Bonjour})") << "Bonjour";
        QTest::newRow("paragraphs, the last \\par leaves none")
            << QByteArray(R"({\rtf1 a\par b\par})") << QString("a%1b").arg(kParagraph);
        QTest::newRow("an empty paragraph stays")
            << QByteArray(R"({\rtf1 a\par\par b})") << QString("a%1%1b").arg(kParagraph);
        QTest::newRow("line break") << QByteArray(R"({\rtf1 a\line b})") << QString("a%1b").arg(kLine);
        QTest::newRow("tab and cell") << QByteArray(R"({\rtf1 a\tab b\cell c})") << "a\tb\tc";
        QTest::newRow("line ends are not text") << QByteArray("{\\rtf1 a\r\nb\nc}") << "abc";
        QTest::newRow("backslash and line end is a paragraph")
            << QByteArray("{\\rtf1 a\\\nb}") << QString("a%1b").arg(kParagraph);
        QTest::newRow("Windows-1252") << QByteArray(R"({\rtf1\ansi\ansicpg1252 caf\'e9 \'80 \'93x\'94 \'9c})")
                                      << "café € “x” œ";
        QTest::newRow("raw 8-bit bytes") << QByteArray("{\\rtf1 No\xEBl}") << "Noël";
        QTest::newRow("\\u with its ? skipped") << QByteArray(R"({\rtf1 \u233?t\u233?})") << "été";
        QTest::newRow("\\uc0 skips nothing") << QByteArray(R"({\rtf1\uc0 \u233 t})") << "ét";
        QTest::newRow("\\uc2 skips two") << QByteArray(R"({\rtf1\uc2 \u8364 EUx})") << "€x";
        QTest::newRow("a \\'hh fallback counts as one") << QByteArray(R"({\rtf1\uc1 \u233\'e9x})") << "éx";
        QTest::newRow("negative \\u above 32767") << QByteArray(R"({\rtf1 \u-1279?})") << QString(QChar(0xFB01));
        QTest::newRow("surrogate pair") << QByteArray(R"({\rtf1 \u-10180?\u-8318?})") << "🎂";
        QTest::newRow("lone surrogate") << QByteArray(R"({\rtf1 \u-10180?x})") << "\uFFFDx";
        QTest::newRow("fallback ends with the group") << QByteArray(R"({\rtf1 {\uc3\u233}ab})") << "éab";
        QTest::newRow("\\uc is undone by the group") << QByteArray(R"({\rtf1 {\uc0\u233}\u233?})") << "éé";
        QTest::newRow("control symbols") << QByteArray(R"({\rtf1 \\ \{ \} a\~b\_c\-d})")
                                         << "\\ { } a\u00A0b\u2011c\u00ADd";
        QTest::newRow("typographic words")
            << QByteArray(R"({\rtf1 \bullet\endash\emdash\lquote\rquote\ldblquote\rdblquote})") << "•–—‘’“”";
        QTest::newRow("unknown words ignored") << QByteArray(R"({\rtf1 \foo x\bar12 y\baz-3 z\qwertyuiop})") << "xyz";
        QTest::newRow("unknown symbol ignored") << QByteArray(R"({\rtf1 a\|b\:c})") << "abc";
        QTest::newRow("hidden text") << QByteArray(R"({\rtf1 a{\v cach\'e9}b\v c\v0 d})") << "abd";
        QTest::newRow("generator") << QByteArray(R"({\rtf1{\*\generator Traitement 5.1;}x})") << "x";
        QTest::newRow("unknown ignorable") << QByteArray(R"({\rtf1{\*\nouveau {texte} encore}x})") << "x";
        QTest::newRow("info") << QByteArray(R"({\rtf1{\info{\title Titre}{\author Moi}}x})") << "x";
        QTest::newRow("stylesheet") << QByteArray(R"({\rtf1{\stylesheet{\s0 Normal;}{\s1 Titre 1;}}x})") << "x";
        QTest::newRow("header and footer") << QByteArray(R"({\rtf1{\header En-t\'eate}{\footer Pied}x})") << "x";
        QTest::newRow("picture") << QByteArray(R"({\rtf1{\pict\pngblip\picw10 89504e470d0a}x})") << "x";
        QTest::newRow("binary picture data") << QByteArray("{\\rtf1{\\pict\\bin6 a}{\\}b}x}") << "x";
        QTest::newRow("object keeps nothing") << QByteArray(R"({\rtf1{\object{\*\objdata 0102}}x})") << "x";
        QTest::newRow("field shows its result")
            << QByteArray(R"({\rtf1{\field{\*\fldinst HYPERLINK "x"}{\fldrslt lien}}})") << "lien";
        QTest::newRow("list marker not shown") << QByteArray(R"({\rtf1{\pntext\f1\'b7\tab}Un})") << "Un";
        QTest::newRow("fonts and colours not shown")
            << QByteArray(R"({\rtf1{\fonttbl{\f0\fswiss Arial;}}{\colortbl;\red1\green2\blue3;}x})") << "x";
    }
    void text() {
        QFETCH(QByteArray, rtf);
        QFETCH(QString, text);
        QCOMPARE(rawText(rtf), text);
    }

    void characterFormats_data() {
        QTest::addColumn<QByteArray>("rtf");
        QTest::addColumn<QString>("word");
        QTest::addColumn<int>("property");
        QTest::addColumn<QVariant>("expected");
        const QVariant bold = int(QFont::Bold), normal = int(QFont::Normal);
        const int weight = QTextFormat::FontWeight, italic = QTextFormat::FontItalic;
        const int underline = QTextFormat::TextUnderlineStyle, size = QTextFormat::FontPointSize;
        const QByteArray tables = R"({\rtf1\deff1{\fonttbl{\f0\froman Serifa;}{\f1\fswiss Liberation Sans;}})"
                                  R"({\colortbl;\red255\green0\blue0;\red0\green0\blue128;})";
        QTest::newRow("bold in a group") << QByteArray(R"({\rtf1 {\b gras} maigre})") << "gras" << weight << bold;
        QTest::newRow("bold ends with the group")
            << QByteArray(R"({\rtf1 {\b gras} maigre})") << "maigre" << weight << normal;
        QTest::newRow("\\b0") << QByteArray(R"({\rtf1 \b gras\b0 maigre})") << "maigre" << weight << normal;
        QTest::newRow("\\b0 undone by the group")
            << QByteArray(R"({\rtf1 \b a{\b0 b}encore})") << "encore" << weight << bold;
        QTest::newRow("italic") << QByteArray(R"({\rtf1 \i pench\'e9})") << "penché" << italic << QVariant(true);
        QTest::newRow("\\i0") << QByteArray(R"({\rtf1 \i a\i0 droit})") << "droit" << italic << QVariant(false);
        QTest::newRow("underline") << QByteArray(R"({\rtf1 \ul soulign\'e9})") << "souligné" << underline
                                   << QVariant(int(QTextCharFormat::SingleUnderline));
        QTest::newRow("\\ulnone") << QByteArray(R"({\rtf1 \ul a\ulnone net})") << "net" << underline
                                  << QVariant(int(QTextCharFormat::NoUnderline));
        QTest::newRow("\\ul0") << QByteArray(R"({\rtf1 \ul a\ul0 net})") << "net" << underline
                               << QVariant(int(QTextCharFormat::NoUnderline));
        QTest::newRow("size in half-points")
            << QByteArray(R"({\rtf1 \fs36 grand})") << "grand" << size << QVariant(18.0);
        QTest::newRow("default size") << QByteArray(R"({\rtf1 normal})") << "normal" << size << QVariant(12.0);
        QTest::newRow("\\plain resets") << QByteArray(R"({\rtf1 \b\i\fs40 a\plain simple})") << "simple" << size
                                        << QVariant(12.0);
        QTest::newRow("font of the table")
            << tables + R"(\f0 serif})"
            << "serif" << int(QTextFormat::FontFamilies) << QVariant(QStringList{"Serifa"});
        QTest::newRow("default font") << tables + R"(sans})"
                                      << "sans" << int(QTextFormat::FontFamilies)
                                      << QVariant(QStringList{"Liberation Sans"});
        QTest::newRow("colour") << tables + R"(\cf2 bleu})"
                                << "bleu" << int(QTextFormat::ForegroundBrush) << QVariant(QBrush(QColor(0, 0, 128)));
        QTest::newRow("automatic colour") << tables + R"(\cf2 a\cf0 auto})"
                                          << "auto" << int(QTextFormat::ForegroundBrush) << QVariant();
        QTest::newRow("colour past the table") << tables + R"(\cf9 hors})"
                                               << "hors" << int(QTextFormat::ForegroundBrush) << QVariant();
        QTest::newRow("entries without their \";\"")
            << QByteArray(R"({\rtf1{\fonttbl\f0 Serifa}{\colortbl;\red1\green2\blue3}\cf1 fin})") << "fin"
            << int(QTextFormat::FontFamilies) << QVariant(QStringList{"Serifa"});
        QTest::newRow("highlight") << tables + R"(\highlight1 surlign\'e9})"
                                   << "surligné" << int(QTextFormat::BackgroundBrush)
                                   << QVariant(QBrush(QColor(255, 0, 0)));
    }
    void characterFormats() {
        QFETCH(QByteArray, rtf);
        QFETCH(QString, word);
        QFETCH(int, property);
        QFETCH(QVariant, expected);
        QTextDocument document;
        readRtf(rtf, document);
        QCOMPARE(formatOf(document, word).property(property), expected);
    }

    void paragraphFormats() {
        QTextDocument document;
        readRtf(R"({\rtf1\pard\qc centre\par\pard\qr droite\par\pard\qj justifie\par\pard gauche\par)"
                R"(\pard\sb120\sa200\li720\ri360\fi-360 retraits\par\sl276\slmult1 interligne\par)"
                R"(\pard\sl-300\slmult0 exact\par})",
                document);
        QCOMPARE(blockWith(document, "centre").blockFormat().alignment(), Qt::AlignHCenter);
        QCOMPARE(blockWith(document, "droite").blockFormat().alignment(), Qt::AlignRight);
        QCOMPARE(blockWith(document, "justifie").blockFormat().alignment(), Qt::AlignJustify);
        QCOMPARE(blockWith(document, "gauche").blockFormat().alignment(), Qt::AlignLeft);
        const QTextBlockFormat indents = blockWith(document, "retraits").blockFormat();
        QCOMPARE(indents.topMargin(), 8.0);
        QCOMPARE(indents.bottomMargin(), 200 / 15.0);
        QCOMPARE(indents.leftMargin(), 48.0);
        QCOMPARE(indents.rightMargin(), 24.0);
        QCOMPARE(indents.textIndent(), -24.0);
        const QTextBlockFormat spaced = blockWith(document, "interligne").blockFormat();
        QCOMPARE(spaced.lineHeightType(), int(QTextBlockFormat::ProportionalHeight));
        QCOMPARE(spaced.lineHeight(), 115.0);
        QCOMPARE(spaced.leftMargin(), 48.0);  // kept until \pard
        QCOMPARE(blockWith(document, "exact").blockFormat().lineHeightType(), int(QTextBlockFormat::FixedHeight));
        QCOMPARE(blockWith(document, "exact").blockFormat().leftMargin(), 0.0);
    }

    // Paragraph properties belong to the paragraph mark, wherever they stand in it.
    void paragraphPropertiesAtTheMarkCount() {
        QTextDocument document;
        readRtf(R"({\rtf1 d\'e9but \qc fin\par})", document);
        QCOMPARE(document.firstBlock().blockFormat().alignment(), Qt::AlignHCenter);
    }

    void lists_data() {
        QTest::addColumn<QByteArray>("rtf");
        QTest::addColumn<int>("style");
        QTest::newRow("\\pn bullets") << QByteArray(
                                             R"({\rtf1{\pntext\f1\'b7\tab}{\*\pn\pnlvlblt\pnindent360{\pntxtb\'b7}})"
                                             R"(\fi-360\li720 Un\par{\pntext\f1\'b7\tab}Deux\par\pard Fin\par})")
                                      << int(QTextListFormat::ListDisc);
        QTest::newRow("\\pn numbers") << QByteArray(R"({\rtf1{\pntext 1.\tab}{\*\pn\pnlvlbody\pndec{\pntxta .}})"
                                                    R"(Un\par{\pntext 2.\tab}Deux\par\pard Fin\par})")
                                      << int(QTextListFormat::ListDecimal);
        QTest::newRow("list table bullets")
            << QByteArray(R"({\rtf1{\*\listtable{\list\listid7{\listlevel\levelnfc23}}})"
                          R"({\listtext\pard\plain\f3 \'b7\tab}\ls1\ilvl0 Un\par)"
                          R"({\listtext\pard\plain\f3 \'b7\tab}Deux\par\pard Fin\par})")
            << int(QTextListFormat::ListDisc);
        QTest::newRow("list table letters")
            << QByteArray(R"({\rtf1{\listtext b)\tab}\ls2 Un\par{\listtext c)\tab}Deux\par)"
                          R"(\pard Fin\par})")
            << int(QTextListFormat::ListLowerAlpha);
        QTest::newRow("marker only") << QByteArray(
                                            R"({\rtf1{\listtext iv.\tab}Un\par{\listtext v.\tab}Deux\par Fin\par})")
                                     << int(QTextListFormat::ListLowerRoman);
    }
    void lists() {
        QFETCH(QByteArray, rtf);
        QFETCH(int, style);
        QTextDocument document;
        readRtf(rtf, document);
        QCOMPARE(document.toPlainText(), QString("Un\nDeux\nFin"));
        QTextList* first = blockWith(document, "Un").textList();
        QVERIFY(first);
        QCOMPARE(int(first->format().style()), style);
        QCOMPARE(blockWith(document, "Deux").textList(), first);
        QCOMPARE(first->count(), 2);
        QVERIFY(!blockWith(document, "Fin").textList());
    }

    void lastItemWithoutItsParagraphMark() {
        QTextDocument document;
        readRtf(R"({\rtf1{\pntext\'b7\tab}{\*\pn\pnlvlblt}Un\par{\pntext\'b7\tab}{\b Deux)", document);
        QVERIFY(blockWith(document, "Deux").textList());
        QCOMPARE(blockWith(document, "Deux").textList(), blockWith(document, "Un").textList());
    }

    void nestedListLevels() {
        QTextDocument document;
        readRtf(R"({\rtf1{\listtext\'b7\tab}\ls1\ilvl0 A\par{\listtext o\tab}\ls1\ilvl1 B\par)"
                R"({\listtext\'b7\tab}\ls1\ilvl0 C\par})",
                document);
        QTextList* outer = blockWith(document, "A").textList();
        QVERIFY(outer && blockWith(document, "B").textList() && blockWith(document, "B").textList() != outer);
        QCOMPARE(blockWith(document, "B").textList()->format().indent(), 2);
        QCOMPARE(blockWith(document, "C").textList(), outer);
    }

    // Documents written the way two word processors write them: nothing of their tables, styles,
    // themes or metadata shows, their text and formats do.
    void wordProcessorDocuments_data() {
        QTest::addColumn<QByteArray>("rtf");
        QTest::newRow("office suite") << dataFile("office_suite.rtf");
        QTest::newRow("desktop word processor") << dataFile("word_processor.rtf");
    }
    void wordProcessorDocuments() {
        QFETCH(QByteArray, rtf);
        QTextDocument document;
        readRtf(rtf, document);
        QCOMPARE(document.toPlainText(), QString("Invitation\n"
                                                 "Chère Amélie, nous fêtons les 40 ans de Noël le samedi 12 décembre.\n"
                                                 "Au programme :\n"
                                                 "Apéritif à 18 h\n"
                                                 "Dîner\n"
                                                 "Gâteau — et surprise !\n"
                                                 "Réponse souhaitée avant le 5 décembre."));
        const QTextCharFormat title = formatOf(document, "Invitation");
        QCOMPARE(title.fontWeight(), int(QFont::Bold));
        QCOMPARE(title.fontPointSize(), 16.0);
        QCOMPARE(document.firstBlock().blockFormat().alignment(), Qt::AlignHCenter);
        QCOMPARE(formatOf(document, "40 ans").fontWeight(), int(QFont::Bold));
        QCOMPARE(formatOf(document, "samedi").fontItalic(), true);
        QCOMPARE(formatOf(document, "Chère").fontPointSize(), 11.0);
        QCOMPARE(formatOf(document, "Chère").fontFamilies().toStringList(), QStringList{"Liberation Sans"});
        QCOMPARE(formatOf(document, "avant").foreground().color(), QColor(192, 0, 0));
        const QTextBlockFormat body = blockWith(document, "Chère").blockFormat();
        QCOMPARE(body.bottomMargin(), 200 / 15.0);
        QCOMPARE(body.lineHeight(), 115.0);
        QTextList* list = blockWith(document, "Apéritif").textList();
        QVERIFY(list);
        QCOMPARE(list->count(), 3);
        QCOMPARE(int(list->format().style()), int(QTextListFormat::ListDisc));
    }

    void malformedInput_data() {
        QTest::addColumn<QByteArray>("rtf");
        QTest::addColumn<QString>("text");
        QTest::newRow("unclosed groups") << QByteArray(R"({\rtf1 {\b a{\i b)") << "ab";
        QTest::newRow("stray closing braces") << QByteArray(R"({\rtf1 a}}}} b)") << "a b";
        QTest::newRow("cut in a word") << QByteArray(R"({\rtf1 ab\pa)") << "ab";
        QTest::newRow("cut after a backslash") << QByteArray("{\\rtf1 ab\\") << "ab";
        QTest::newRow("cut in \\'h") << QByteArray(R"({\rtf1 ab\'e)") << "ab";
        QTest::newRow("cut after \\'") << QByteArray(R"({\rtf1 ab\')") << "ab";
        QTest::newRow("bad hex") << QByteArray(R"({\rtf1 a\'zzb})") << "azzb";
        QTest::newRow("cut in a destination") << QByteArray(R"({\rtf1 a{\*\generator x)") << "a";
        QTest::newRow("\\bin longer than the input") << QByteArray(R"({\rtf1 a\bin999999 bc})") << "a";
        QTest::newRow("huge numbers")
            << QByteArray(R"({\rtf1\fs99999999999999\li-99999999999\cf99999999999 a\u99999999999?b})") << "ab";
        QTest::newRow("NUL bytes") << QByteArray("{\\rtf1 a\0b}", 11) << "ab";
        QTest::newRow("not RTF at all") << QByteArray("texte simple") << "texte simple";
    }
    void malformedInput() {
        QFETCH(QByteArray, rtf);
        QFETCH(QString, text);
        QCOMPARE(rawText(rtf), text);
    }

    void binaryJunkGivesWhatCanBeRead() {
        std::mt19937 random(20261208);
        QByteArray junk(1 << 20, Qt::Uninitialized);
        for (char& byte : junk) byte = static_cast<char>(random());
        QTextDocument document;
        readRtf(junk, document);
        QVERIFY(document.characterCount() <= junk.size() + 1);
        // The reader is left in a sane state: what follows, once the groups are closed, is read.
        readRtf(QByteArray(R"({\rtf1 )") + junk.left(1000) + QByteArray(2000, '}') + "apr\\'e8s", document);
        QVERIFY(document.toPlainText().endsWith("après"));
    }

    void deepNestingIsReadWithoutRecursion() {
        const int depth = 100'000;
        QByteArray rtf = R"({\rtf1 )" + QByteArray(depth, '{') + R"(\b profond{\*\cache non})";
        rtf += QByteArray(depth, '}') + R"( ensuite\par})";
        QTextDocument document;
        readRtf(rtf, document);
        QCOMPARE(document.toPlainText(), QString("profond ensuite"));
        QCOMPARE(formatOf(document, "ensuite").fontWeight(), int(QFont::Normal));

        readRtf(QByteArray(depth, '{') + "sans fin", document);
        QCOMPARE(document.toPlainText(), QString("sans fin"));
    }

    // A huge text is cut, and says so, whether it is made of paragraphs or of format changes; a
    // huge picture is passed over to the text after it. About a second here (minutes if the reading
    // were quadratic, which the test's time limit catches); no bound on a shared, busy machine.
    void fiftyMegabytesAreCutOrSkipped_data() {
        QTest::addColumn<QByteArray>("head");
        QTest::addColumn<QByteArray>("repeated");
        QTest::addColumn<QByteArray>("tail");
        QTest::addColumn<QString>("firstParagraph");
        QTest::addColumn<QString>("lastParagraph");
        QTest::newRow("paragraphs")
            << QByteArray(R"({\rtf1\ansi{\fonttbl{\f0\fswiss Liberation Sans;}}{\colortbl;\red0\green0\blue255;})")
            << QByteArray(R"({\pard\sa120\qj {\b Gras} et {\i pench\'e9}, \u233?t\'e9 \'e0 {\cf1 la} ligne\par})")
            << QByteArray("}") << "Gras et penché, été à la ligne"
            << "[…]";
        QTest::newRow("format changes") << QByteArray(R"({\rtf1 )") << QByteArray(R"({\b a}{\i b})") << QByteArray("}")
                                        << "abab"
                                        << "[…]";
        QTest::newRow("picture") << QByteArray(R"({\rtf1{\pict\pngblip )") << QByteArray("89504e470d0a1a0a")
                                 << QByteArray(R"(}apr\'e8s l'image})") << "après l'image"
                                 << "après l'image";
    }
    void fiftyMegabytesAreCutOrSkipped() {
        QFETCH(QByteArray, head);
        QFETCH(QByteArray, repeated);
        QFETCH(QByteArray, tail);
        QFETCH(QString, firstParagraph);
        QFETCH(QString, lastParagraph);
        const qsizetype count = 50'000'000 / repeated.size();
        QByteArray rtf = head;
        rtf.reserve(head.size() + count * repeated.size() + tail.size());
        for (qsizetype i = 0; i < count; ++i) rtf += repeated;
        rtf += tail;
        QTextDocument document;
        QElapsedTimer timer;
        timer.start();
        readRtf(rtf, document);
        const qint64 elapsed = timer.elapsed();
        qInfo("%lld MB read in %lld ms", qint64(rtf.size() >> 20), elapsed);
        QVERIFY(document.firstBlock().text().startsWith(firstParagraph));
        QCOMPARE(document.lastBlock().text(), lastParagraph);
        QVERIFY(document.characterCount() < 2'100'000);
    }

    void replacesWhatTheDocumentHeld() {
        QTextDocument document;
        document.setPlainText("ancien texte");
        document.setUndoRedoEnabled(true);
        readRtf(R"({\rtf1 nouveau})", document);
        QCOMPARE(document.toPlainText(), QString("nouveau"));
        QVERIFY(document.isUndoRedoEnabled());
    }
};

QTEST_MAIN(RtfReaderTest)
#include "rtf_reader_test.moc"
