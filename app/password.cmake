target_sources(versalia PRIVATE
    CambiaPassword.cpp CambiaPassword.h
    Password.cpp Password.h
    PasswordStore.cpp PasswordStore.h
)
