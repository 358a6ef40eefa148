#include "presentation/detail/AddressBookSource.h"

AddressBookSource::AddressBookSource(std::function<QString()> preferredFolder)
    : m_preferredFolder(std::move(preferredFolder))
{}

AddressBookSource::~AddressBookSource() = default;

QList<contacts::Contact> AddressBookSource::contacts()
{
    contacts::AddressBook located = contacts::AddressBook::forThisUser(m_preferredFolder());
    if (!m_book || m_book->folders() != located.folders())
        m_book = std::make_unique<contacts::AddressBook>(std::move(located));
    if (!m_book->isAvailable())
        return {};
    return m_book->contacts();
}
