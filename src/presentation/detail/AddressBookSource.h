#pragma once

#include "platform/contacts/AddressBook.h"

#include <functional>
#include <memory>

// The user's address book, found afresh at every use from the folder the contacts preference
// names (or khard's configuration), and kept while its folders stay the same so that a broken
// card is reported once per run rather than at every look.
class AddressBookSource
{
public:
    // `preferredFolder` is asked at every use, so a changed preference counts at once.
    explicit AddressBookSource(std::function<QString()> preferredFolder);
    ~AddressBookSource();

    // Every card of the address book; none when there is no address book.
    QList<contacts::Contact> contacts();

private:
    std::function<QString()> m_preferredFolder;
    std::unique_ptr<contacts::AddressBook> m_book;
};
