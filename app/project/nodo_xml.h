#pragma once

// A small XML tree that keeps attributes in the order they were attached,
// which is what the project file's byte layout depends on.

#include <QString>

#include <cstdint>
#include <vector>

struct NodoXml {
    enum class Tipo {
        elemento,
        attributo,
        testo,
        cdata,
        commento,
        entita,
        documento,
        frammento,
        riferimento_entita,
        istruzione,     // processing instruction: nome is the target, valore the data
        tipo_documento, // nome is the root name, valore the rest of the declaration
        notazione,      // nome is the notation name, valore its identifiers
    };

    Tipo tipo = Tipo::elemento;
    QString nome;
    QString valore;
    std::vector<NodoXml> attributi; // elements only, in order of attachment
    std::vector<NodoXml> figli;

    static NodoXml elemento_(const QString& nome) { return {Tipo::elemento, nome, {}, {}, {}}; }

    // Attaches an attribute after the ones already there.
    NodoXml& attributo(const QString& nome, const QString& valore)
    {
        attributi.push_back({Tipo::attributo, nome, valore, {}, {}});
        return *this;
    }
    NodoXml& aggiungi(NodoXml figlio)
    {
        figli.push_back(std::move(figlio));
        return figli.back();
    }
};

// The text of one node and its subtree at indentation level `livello`: one
// tab per level, CR LF line ends, empty elements closed by "/>", attributes
// as written by attributo_xml.
QString serializza_xml(const NodoXml& nodo, int16_t livello);

// One attribute: a space, the name, "=", the value in double quotes, or in
// apostrophes when it holds a double quote. "&", "<" and ">" are escaped, and
// so is an apostrophe inside apostrophes; tabs, line ends and characters
// outside Windows-1252 become character references; so every value reads
// back as it was. Other control characters, which XML cannot carry, become
// "?".
QString attributo_xml(const QString& nome, const QString& valore);
