#include "core/system_error.h"

#include <cerrno>

namespace tovel {

std::string SystemErrorText(int error) {
    switch (error) {
        case EACCES:
        case EPERM:
            return "no hay permiso";
        case ENOENT:
            return "no existe";
        case ENOTDIR:
            return "una parte del camino no es una carpeta";
        case EISDIR:
            return "es una carpeta";
        case EEXIST:
            return "ya existe";
        case ENOSPC:
            return "no queda espacio en el disco";
        case EDQUOT:
            return "se ha llenado la cuota de disco";
        case EROFS:
            return "el disco es de solo lectura";
        case EFBIG:
            return "el fichero es demasiado grande";
        case ENAMETOOLONG:
            return "el nombre es demasiado largo";
        case ELOOP:
            return "hay demasiados enlaces simbólicos";
        case EMFILE:
        case ENFILE:
            return "hay demasiados ficheros abiertos";
        case EBUSY:
        case ETXTBSY:
            return "el fichero está en uso";
        case EIO:
            return "error de entrada o salida del disco";
        case ENXIO:
        case ENODEV:
            return "el dispositivo no está disponible";
        case EINVAL:
            return "no es un fichero que se pueda leer o escribir así";
        default:
            return "error del sistema número " + std::to_string(error);
    }
}

}  // namespace tovel
