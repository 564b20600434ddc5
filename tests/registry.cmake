versalia_test(test_registry test_registry.cpp RegistryFixture.h)
versalia_test(test_attachments test_attachments.cpp RegistryFixture.h)
